technique Main {
  pass P0 {
    vertex <<
in vec4 POSITION0;
void main() { gl_Position = vec4(POSITION0.w - 1.0, POSITION0.z - 1.0, 0.0, 1.0); }
    >>
    fragment <<
uniform vec4 colour;
out vec4 result;
void main() { result = colour; }
    >>
  }
}
