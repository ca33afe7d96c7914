#pragma once
// Switches of the graphics stand-in that let tests take the failure paths a real machine
// takes when it has no graphics runtime.
namespace vornexgfx {

// While set, Direct3DCreate9 returns null.
void setRuntimeUnavailable(bool unavailable);
// While set, IDirect3D9::CreateDevice fails.
void setDeviceCreationFails(bool fails);

} // namespace vornexgfx
