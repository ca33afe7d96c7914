technique T {
  pas P0 {}
}
