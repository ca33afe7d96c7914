technique T {
  pass P0 {
    vertex <<
void main() { gl_Position = vec4(0.0); }
    >>
    fragment <<
out vec4 c;
void main() { c = undefinedThing; }
    >>
  }
}
