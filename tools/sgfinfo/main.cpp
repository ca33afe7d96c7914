// sgfinfo FILE.sgf: the outline of a scene graph file written by the Vornex command.
#include "Shared/Graphics/Scene/SceneOutline.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc != 2 || std::string_view(argv[1]) == "--help") {
        std::cerr << "usage: sgfinfo FILE.sgf\n"
                     "Prints the scene graph file as an indented outline: node types, names,\n"
                     "parent and child counts, keys, meshes, materials and named values.\n";
        return argc == 2 ? 0 : 2;
    }
    return vx::runSceneInfo(argv[1], std::cout, std::cerr);
}
