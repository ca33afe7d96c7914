technique T {
  pass P {
    vertex <<
void main() {}
