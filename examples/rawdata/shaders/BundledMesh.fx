// Moving parts of vehicles and props: a diffuse map, a normal map and the shadow map the
// game fills in at run time (left at its default file name in Maya).
float4x4 WorldViewProjection : WorldViewProjection;
float3 SunDirection : Direction = {0.3, -1.0, 0.2};
float SpecularPower <
    float UIMin = 1.0;
    float UIMax = 128.0;
> = 24.0;

uniform sampler2D Diffuse : DIFFUSE <
    string ResourceName = "diffuse.dds";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D NormalMap : NORMAL <
    string ResourceName = "normal.dds";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D ShadowMap <
    string ResourceName = "shadowmap.dds";
> = sampler_state { minFilter = Linear; magFilter = Linear; };

void vertexMain(float3 position : POSITION, float2 uv : TEXCOORD0,
                out float4 outPosition : POSITION, out float2 outUv : TEXCOORD0)
{
    outPosition = mul(float4(position, 1.0), WorldViewProjection);
    outUv = uv;
}

float4 fragmentMain(float2 uv : TEXCOORD0) : COLOR
{
    float3 n = tex2D(NormalMap, uv).xyz * 2.0 - 1.0;
    float light = saturate(dot(n, -SunDirection));
    return tex2D(Diffuse, uv) * (0.4 + 0.6 * light);
}

technique Default {
    pass p0 {
        VertexProgram = compile arbvp1 vertexMain();
        FragmentProgram = compile arbfp1 fragmentMain();
    }
}
