// Characters: two-bone skinning with an object-space normal map (converted at export from the
// artist's tangent-space map, the first texture) and a diffuse map.
float4x4 ViewProjection : ViewProjection;
float4x3 Bones[26] : BoneMatrices;
float3 SunDirection : Direction = {0.3, -1.0, 0.2};

uniform sampler2D NormalMap : NORMAL <
    string ResourceName = "normal.dds";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D Diffuse : DIFFUSE <
    string ResourceName = "diffuse.dds";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

struct SkinnedVertex {
    float3 position : POSITION;
    float3 normal : NORMAL;
    float weight : BLENDWEIGHT;
    float4 bones : BLENDINDICES;
    float2 uv : TEXCOORD0;
};

void vertexMain(SkinnedVertex v, out float4 position : POSITION, out float2 uv : TEXCOORD0,
                out float3x3 rotation : TEXCOORD1)
{
    float4x3 skin = Bones[(int)v.bones.x] * v.weight + Bones[(int)v.bones.y] * (1.0 - v.weight);
    position = mul(float4(mul(float4(v.position, 1.0), skin), 1.0), ViewProjection);
    rotation = (float3x3)skin;
    uv = v.uv;
}

float4 fragmentMain(float2 uv : TEXCOORD0, float3x3 rotation : TEXCOORD1) : COLOR
{
    float3 n = normalize(mul(tex2D(NormalMap, uv).xyz * 2.0 - 1.0, rotation));
    return tex2D(Diffuse, uv) * (0.4 + 0.6 * saturate(dot(n, -SunDirection)));
}

technique Default {
    pass p0 {
        VertexProgram = compile arbvp1 vertexMain();
        FragmentProgram = compile arbfp1 fragmentMain();
    }
}
