// Two passes and sampler states.
sampler texParam point wrap;
sampler other linear mirror;
technique Convert {
  pass P0 { vertex <<
void main() { gl_Position = vec4(0.0); }
>>
    fragment <<
uniform sampler2D texParam; out vec4 c; void main() { c = texture(texParam, vec2(0.5)); }
>> }
  pass P1 { fragment <<
out vec4 c; void main() { c = vec4(1 >> 1); }
>>
vertex <<
>> }
}
technique Second { pass Only { vertex <<
>>
fragment <<
>>
} }
