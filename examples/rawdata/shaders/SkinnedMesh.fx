// Characters: two-bone skinning with a diffuse map and an object-space normal map.
float4x4 ViewProjection : ViewProjection;
float4x3 Bones[26] : BoneMatrices;
float3 SunDirection : Direction = {0.3, -1.0, 0.2};

uniform sampler2D Diffuse : DIFFUSE <
    string ResourceName = "diffuse.dds";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

uniform sampler2D NormalMap : NORMAL <
    string ResourceName = "normal.dds";
> = sampler_state { minFilter = LinearMipMapLinear; magFilter = Linear; };

struct SkinnedVertex {
    float3 position : POSITION;
    float2 weights : BLENDWEIGHT;
    float2 bones : BLENDINDICES;
    float2 uv : TEXCOORD0;
};

void vertexMain(SkinnedVertex v, out float4 position : POSITION, out float2 uv : TEXCOORD0)
{
    float3 skinned = mul(float4(v.position, 1.0), Bones[(int)v.bones.x]) * v.weights.x
                   + mul(float4(v.position, 1.0), Bones[(int)v.bones.y]) * v.weights.y;
    position = mul(float4(skinned, 1.0), ViewProjection);
    uv = v.uv;
}

float4 fragmentMain(float2 uv : TEXCOORD0) : COLOR
{
    float3 n = tex2D(NormalMap, uv).xyz * 2.0 - 1.0;
    return tex2D(Diffuse, uv) * (0.4 + 0.6 * saturate(dot(n, -SunDirection)));
}

technique Default {
    pass p0 {
        VertexProgram = compile arbvp1 vertexMain();
        FragmentProgram = compile arbfp1 fragmentMain();
    }
}
