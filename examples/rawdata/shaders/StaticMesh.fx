// Static geometry: a base layer with optional detail, dirt and crack layers and their normal
// maps. Layers left at their default file name are not used by the game.
float4x4 WorldViewProjection : WorldViewProjection;
float4x4 World : World;
float3 SunDirection : Direction = {0.3, -1.0, 0.2};

uniform sampler2D Base : DIFFUSE <
    string ResourceName = "base.dds";
    string UIName = "Base";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D Detail <
    string ResourceName = "detail.dds";
    string UIName = "Detail";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D Dirt <
    string ResourceName = "dirt.dds";
    string UIName = "Dirt";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D Crack <
    string ResourceName = "crack.dds";
    string UIName = "Crack";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D NDetail : NORMAL <
    string ResourceName = "ndetail.dds";
    string UIName = "Detail normal map";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D NCrack : NORMAL <
    string ResourceName = "ncrack.dds";
    string UIName = "Crack normal map";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

struct VertexIn {
    float3 position : POSITION;
    float3 normal : NORMAL;
    float2 uv0 : TEXCOORD0;
    float2 uv1 : TEXCOORD1;
};

struct VertexOut {
    float4 position : POSITION;
    float2 uv0 : TEXCOORD0;
    float2 uv1 : TEXCOORD1;
    float light : TEXCOORD2;
};

VertexOut vertexMain(VertexIn v)
{
    VertexOut o;
    o.position = mul(float4(v.position, 1.0), WorldViewProjection);
    o.uv0 = v.uv0;
    o.uv1 = v.uv1;
    o.light = saturate(dot(normalize(mul(v.normal, (float3x3)World)), -SunDirection));
    return o;
}

float4 fragmentMain(VertexOut i) : COLOR
{
    float4 color = tex2D(Base, i.uv0) * tex2D(Detail, i.uv1) * 2.0;
    color.rgb *= lerp(float3(1, 1, 1), tex2D(Dirt, i.uv1).rgb, tex2D(Dirt, i.uv1).a);
    return float4(color.rgb * (0.3 + 0.7 * i.light), color.a);
}

technique Base {
    pass p0 {
        VertexProgram = compile arbvp1 vertexMain();
        FragmentProgram = compile arbfp1 fragmentMain();
    }
}
