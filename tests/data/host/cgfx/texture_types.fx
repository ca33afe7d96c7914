
        #define UNUSED(x) \
            x
        /* block comment
           over lines */
        static float hidden = 1;
        uniform sampler1D ramp;
        sampler3D volume;
        samplerRECT screen;
        samplerCUBE sky;
        samplerCUBE reflection : ENVIRONMENT;
        samplerCUBE normalizer : NORMALIZATION;
        sampler2D height < string TextureType = "bump"; >;
        texture envTexture : ENVMAP < string ResourceType = "CUBE"; >;
        sampler envSampler = sampler_state { Texture = <envTexture>; };
        float a, b : Custom = 2;
        struct S { float x; };
        technique T < string Script = "x>y"; > { pass p { } }
    