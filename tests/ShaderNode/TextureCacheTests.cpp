// The shared texture cache: one reference per node, released by the scene messages the nodes
// listen to; entries follow renames and reload when their node changes.
#include "ShaderNodeFixture.h"

#include "ShaderNode/TextureCache.h"

#include <vornexhost/Messages.h>

#include <maya/MFileIO.h>

namespace vx::test {
namespace {

TEST_F(ShaderNodeScene, NodesShareOneCacheThatGoesWithTheSceneAndItsCallbacks) {
    MFileIO::newFile(true);
    ASSERT_EQ(TextureCache::instance(), nullptr);
    const unsigned callbacksBefore = vornexhost::callbackCount();

    openLayerScene();
    mel("createNode rscMeshShader -n secondMaterial; "
        "connectAttr colorFile.outColor groundMaterial.color");
    ASSERT_NE(TextureCache::instance(), nullptr);
    EXPECT_EQ(TextureCache::instance()->referenceCount(), 2u);
    render();
    EXPECT_TRUE(TextureCache::instance()->hasEntry("colorFile"));
    // Four scene callbacks per node, two node callbacks for the loaded texture.
    EXPECT_EQ(vornexhost::callbackCount(), callbacksBefore + 4 * 2 + 2);

    // A new scene: every node lets go once, the cache goes with its callbacks.
    MFileIO::newFile(true);
    EXPECT_EQ(TextureCache::instance(), nullptr);
    EXPECT_EQ(vornexhost::callbackCount(), callbacksBefore);
}

TEST_F(ShaderNodeScene, ARenamedTextureNodeKeepsItsEntry) {
    mel("connectAttr colorFile.outColor groundMaterial.color");
    render();
    TextureCache* cache = TextureCache::instance();
    ASSERT_NE(cache, nullptr);
    ASSERT_TRUE(cache->hasEntry("colorFile"));
    mel("rename colorFile baseFile");
    EXPECT_FALSE(cache->hasEntry("colorFile"));
    EXPECT_TRUE(cache->hasEntry("baseFile"));
    render();
    EXPECT_EQ(cache->entryCount(), 1u);
}

} // namespace
} // namespace vx::test
