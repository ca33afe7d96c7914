// Converts tangent-space normal maps to object space for skinned meshes.
// Pass 0 draws each mesh triangle at its texture coordinates and turns the source texel by the
// interpolated tangent frame; covered texels get alpha 1, the rest stay cleared to 0.
// Pass 1 runs over a quad covering the target: an uncovered texel takes the renormalised mean
// of its covered neighbours (eight around it), so each run grows the charts by one texel.
sampler texParam point clamp;

technique TransformTanToObj {
    pass Conversion {
        vertex <<
            in vec3 NORMAL0;
            in vec3 BINORMAL0;
            in vec3 TANGENT0;
            in vec2 TEXCOORD0;
            out vec3 normal;
            out vec3 binormal;
            out vec3 tangent;
            out vec2 uv;
            void main() {
                normal = NORMAL0;
                binormal = BINORMAL0;
                tangent = TANGENT0;
                uv = TEXCOORD0;
                // v = 0 is the top row of the target, which clip-space y = +1 lands on.
                gl_Position = vec4(TEXCOORD0.x * 2.0 - 1.0, 1.0 - TEXCOORD0.y * 2.0, 0.0, 1.0);
            }
        >>
        fragment <<
            uniform sampler2D texParam;
            in vec3 normal;
            in vec3 binormal;
            in vec3 tangent;
            in vec2 uv;
            out vec4 colour;
            void main() {
                vec3 t = texture(texParam, uv).rgb * 2.0 - 1.0;
                vec3 n = t.x * normalize(tangent) + t.y * normalize(binormal) + t.z * normalize(normal);
                colour = vec4(normalize(n) * 0.5 + 0.5, 1.0);
            }
        >>
    }
    pass Outlining {
        vertex <<
            // Corner bytes (1, 0, y + 1, x + 1) put the quad's corners on the target's corners.
            in vec4 POSITION0;
            in vec2 TEXCOORD0;
            out vec2 uv;
            void main() {
                uv = TEXCOORD0;
                gl_Position = vec4(POSITION0.w - 1.0, POSITION0.z - 1.0, 0.0, 1.0);
            }
        >>
        fragment <<
            uniform sampler2D texParam;
            // (1 / width, 1 / height, half a texel down, half a texel across)
            uniform vec4 texelSize;
            in vec2 uv;
            out vec4 colour;
            void main() {
                vec4 centre = texture(texParam, uv);
                if (centre.a > 0.0) {
                    colour = centre;
                    return;
                }
                vec3 sum = vec3(0.0);
                float covered = 0.0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        vec4 s = texture(texParam, uv + vec2(float(dx) * texelSize.x, float(dy) * texelSize.y));
                        if (s.a > 0.0) {
                            sum += s.rgb * 2.0 - 1.0;
                            covered += 1.0;
                        }
                    }
                }
                colour = covered > 0.0 && dot(sum, sum) > 0.0 ? vec4(normalize(sum) * 0.5 + 0.5, 1.0) : vec4(0.0);
            }
        >>
    }
}
