#pragma once
// Every value a loaded scene stores, as text: two loads of the same file must give the same.
#include <vornexhost/Scene.h>

#include <string>

namespace vornexhost::test {

std::string storedValues(const Scene& scene);

} // namespace vornexhost::test
