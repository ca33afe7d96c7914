// two techniques
sampler src point wrap; // states
technique First {
  pass P0 {
    vertex <<  
void main() { gl_Position = vec4(0.0); }
  uint x = 1u >> 1; // not a closing line
    >>
    fragment <<
F
>>
  }
  pass P1 { fragment <<
G
>>
 vertex <<
V
>>
 }
}
technique Second { pass Only { vertex <<
>>
fragment <<
>>
} }