// A constant colour.
// The vertex block places the test quad's UBYTE4 position bytes at the viewport's corners:
// byte 3 runs left (0) to right (2), byte 2 bottom (0) to top (2).
technique Main {
  pass P0 {
    vertex <<
in vec4 POSITION0;
in vec2 TEXCOORD0;
out vec2 uv;
void main() {
    gl_Position = vec4(POSITION0.w - 1.0, POSITION0.z - 1.0, 0.0, 1.0);
    uv = TEXCOORD0;
}
    >>
    fragment <<
uniform vec4 colour;
out vec4 result;
void main() { result = colour; }
    >>
  }
}
