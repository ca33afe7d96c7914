// Textures saved to and loaded from DDS files (exact for A8R8G8B8, within the block codec's
// error for DXT), broken files and effects refused with a located reason, and image sizes from
// file headers for every kind the exporter meets.
#include "tests/graphics/RenderTestSupport.h"

#include <d3dx9tex.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>

namespace vx::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t word(const Bytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// The header words at file offsets 4 to 124, as a table to compare whole.
std::vector<std::uint32_t> headerWords(const Bytes& file) {
    std::vector<std::uint32_t> words;
    for (std::size_t at = 4; at < 128; at += 4)
        words.push_back(word(file, at));
    return words;
}

// Hand-written from the DDS layout: size, flags, height, width, pitch or linear size, depth,
// mip count, 11 reserved, pixel format (size, flags, four-character code, bits, R, G, B, A
// masks), caps, caps2..4, reserved.
std::vector<std::uint32_t> expectedHeader(std::uint32_t flags, std::uint32_t height,
                                          std::uint32_t width, std::uint32_t pitch,
                                          std::uint32_t mips, std::uint32_t formatFlags,
                                          std::uint32_t fourCC, std::uint32_t bits,
                                          std::array<std::uint32_t, 4> masks, std::uint32_t caps) {
    std::vector<std::uint32_t> words = {124, flags, height, width, pitch, 0, mips};
    words.insert(words.end(), 11, 0);
    words.insert(words.end(), {32, formatFlags, fourCC, bits, masks[0], masks[1], masks[2],
                               masks[3], caps, 0, 0, 0, 0});
    return words;
}

TEST_F(RenderingDevice, A8R8G8B8TexturesRoundTripThroughDdsExactly) {
    // 5 x 3 with its whole chain: 5 x 3, 2 x 1, 1 x 1.
    ComPtr<IDirect3DTexture9> texture;
    ASSERT_EQ(m_device->CreateTexture(5, 3, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.out(),
                                      nullptr),
              D3D_OK);
    ASSERT_EQ(texture->GetLevelCount(), 3u);
    std::uint32_t seed = 12345;
    std::vector<Bytes> levels;
    for (UINT level = 0; level < 3; ++level) {
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
        ASSERT_EQ(locked.Pitch, INT(desc.Width * 4));
        Bytes bytes(desc.Width * desc.Height * 4);
        for (std::uint8_t& b : bytes) {
            seed = seed * 1103515245u + 12345u;
            b = std::uint8_t(seed >> 16);
        }
        std::memcpy(locked.pBits, bytes.data(), bytes.size());
        ASSERT_EQ(texture->UnlockRect(level), D3D_OK);
        levels.push_back(bytes);
    }
    const std::string path = m_dir.file("noise.dds");
    ASSERT_EQ(D3DXSaveTextureToFileA(path.c_str(), D3DXIFF_DDS, texture.get(), nullptr), D3D_OK);

    const Bytes file = fileBytes(path);
    ASSERT_EQ(file.size(), 128u + 60 + 8 + 4);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "DDS ");
    EXPECT_EQ(headerWords(file),
              expectedHeader(0x2100F, 3, 5, 20, 3, 0x41, 0, 32,
                             {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 0x401008));
    EXPECT_EQ(Bytes(file.begin() + 128, file.begin() + 188), levels[0]);
    EXPECT_EQ(Bytes(file.begin() + 188, file.begin() + 196), levels[1]);
    EXPECT_EQ(Bytes(file.begin() + 196, file.end()), levels[2]);

    ComPtr<IDirect3DTexture9> loaded;
    D3DXIMAGE_INFO info;
    ASSERT_EQ(D3DXCreateTextureFromFileExA(m_device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                                           D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                           D3DX_DEFAULT, 0, &info, nullptr, loaded.out()),
              D3D_OK);
    EXPECT_EQ(std::tie(info.Width, info.Height, info.MipLevels, info.Format, info.ImageFileFormat),
              std::make_tuple(5u, 3u, 3u, D3DFMT_A8R8G8B8, D3DXIFF_DDS));
    ASSERT_EQ(loaded->GetLevelCount(), 1u);
    const std::vector<std::uint32_t> back = texels(loaded.get());
    EXPECT_EQ(std::memcmp(back.data(), levels[0].data(), levels[0].size()), 0);
}

TEST_F(RenderingDevice, BlockFormatsRoundTripThroughDdsWithinTheCodecError) {
    // An 8 x 8 picture whose colours lie on one line through colour space (what one block's
    // palette can follow), with an alpha ramp from opaque on the left to clear on the right.
    const int side = 8;
    Bytes rgba;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            rgba.insert(rgba.end(), {std::uint8_t(16 * (x + y)), std::uint8_t(255 - 16 * (x + y)),
                                     std::uint8_t(40 + 8 * (x + y)), std::uint8_t(255 - 30 * x)});
    const std::string png = m_dir.file("ramps.png");
    ASSERT_TRUE(stbi_write_png(png.c_str(), side, side, 4, rgba.data(), side * 4));

    struct Format {
        D3DFORMAT format;
        const char* fourCC;
        std::uint32_t blockBytes;
        int colourError;
        int alphaError; // -1: one bit of alpha (DXT1)
    };
    const Format formats[] = {{D3DFMT_DXT1, "DXT1", 8, 16, -1},
                              {D3DFMT_DXT3, "DXT3", 16, 16, 9},
                              {D3DFMT_DXT5, "DXT5", 16, 16, 9}};
    for (const Format& f : formats) {
        SCOPED_TRACE(f.fourCC);
        ComPtr<IDirect3DTexture9> texture;
        ASSERT_EQ(D3DXCreateTextureFromFileExA(m_device, png.c_str(), 0, 0, 1, 0, f.format,
                                               D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                               nullptr, nullptr, texture.out()),
                  D3D_OK);
        const std::string path = m_dir.file(std::string(f.fourCC) + ".dds");
        ASSERT_EQ(D3DXSaveTextureToFileA(path.c_str(), D3DXIFF_DDS, texture.get(), nullptr),
                  D3D_OK);
        const Bytes file = fileBytes(path);
        const std::uint32_t linearSize = 4 * f.blockBytes;
        ASSERT_EQ(file.size(), 128u + linearSize);
        std::uint32_t code = 0;
        std::memcpy(&code, f.fourCC, 4);
        EXPECT_EQ(headerWords(file),
                  expectedHeader(0xA1007, 8, 8, linearSize, 1, 0x4, code, 0, {}, 0x1000));

        ComPtr<IDirect3DTexture9> loaded;
        D3DXIMAGE_INFO info;
        ASSERT_EQ(D3DXCreateTextureFromFileExA(m_device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT,
                                               1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                               D3DX_DEFAULT, 0, &info, nullptr, loaded.out()),
                  D3D_OK);
        EXPECT_EQ(info.Format, f.format);
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(loaded->GetLevelDesc(0, &desc), D3D_OK);
        EXPECT_EQ(desc.Format, f.format);
        // Locked, a block texture shows its blocks: the file's, for a texture loaded from it.
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(loaded->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        EXPECT_EQ(locked.Pitch, INT(2 * f.blockBytes));
        EXPECT_EQ(std::memcmp(locked.pBits, file.data() + 128, linearSize), 0);
        ASSERT_EQ(loaded->UnlockRect(0), D3D_OK);

        const std::vector<std::uint32_t> back = texels(loaded.get());
        int worstColour = 0;
        int worstAlpha = 0;
        for (std::size_t i = 0; i < back.size(); ++i) {
            const std::uint8_t* source = rgba.data() + i * 4;
            if (f.alphaError < 0 && source[3] < 128) {
                EXPECT_EQ(back[i], 0u) << i; // DXT1 keeps one bit of alpha: clear and black
                continue;
            }
            const int channels[4] = {int(back[i] >> 16 & 0xFF), int(back[i] >> 8 & 0xFF),
                                     int(back[i] & 0xFF), int(back[i] >> 24)};
            for (std::size_t c = 0; c < 3; ++c)
                worstColour = std::max(worstColour, std::abs(channels[c] - source[c]));
            const int alpha = f.alphaError < 0 ? 255 : source[3];
            worstAlpha = std::max(worstAlpha, std::abs(channels[3] - alpha));
        }
        EXPECT_LE(worstColour, f.colourError);
        EXPECT_LE(worstAlpha, std::max(f.alphaError, 0));
    }
}

TEST_F(RenderingDevice, BrokenImageAndEffectFilesAreRefusedWithTheirReason) {
    ComPtr<IDirect3DTexture9> texture;
    ASSERT_EQ(m_device->CreateTexture(5, 3, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.out(),
                                      nullptr),
              D3D_OK);
    const std::string good = m_dir.file("good.dds");
    ASSERT_EQ(D3DXSaveTextureToFileA(good.c_str(), D3DXIFF_DDS, texture.get(), nullptr), D3D_OK);
    const Bytes file = fileBytes(good);
    auto write = [&](const std::string& name, const Bytes& bytes) {
        const std::string path = m_dir.file(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    };
    const Bytes text = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    const std::pair<std::string, std::string> cases[] = {
        {m_dir.file("missing.dds"), "cannot open the file"},
        {write("short.dds", Bytes(file.begin(), file.end() - 1)),
         "DDS data is shorter than its 5x3 image"},
        {write("text.tga", text), "unreadable image: unknown image type"},
    };
    for (const auto& [path, reason] : cases) {
        IDirect3DTexture9* loaded = nullptr;
        const HRESULT hr = D3DXCreateTextureFromFileExA(
            m_device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
            D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &loaded);
        EXPECT_EQ(hr, D3DXERR_INVALIDDATA) << path;
        EXPECT_EQ(loaded, nullptr);
        EXPECT_EQ(std::string(DXGetErrorString9A(hr)),
                  "D3DXERR_INVALIDDATA: " + path + ": " + reason);
    }
    // A save that cannot be written leaves nothing behind.
    const std::string nowhere = m_dir.file("no/such/folder/out.dds");
    EXPECT_EQ(D3DXSaveTextureToFileA(nowhere.c_str(), D3DXIFF_DDS, texture.get(), nullptr), E_FAIL);
    EXPECT_EQ(std::string(DXGetErrorString9A(E_FAIL)),
              "E_FAIL: " + nowhere + ": cannot write the file");

    // Effects: a GLSL error (line 8 of broken.fx) and a syntax error are both placed at their
    // line of the file.
    const std::string broken = VORNEX_TEST_DATA_DIR "/graphics/broken.fx";
    const std::string unparsable = VORNEX_TEST_DATA_DIR "/graphics/unparsable.fx";
    const std::pair<std::string, std::string> effects[] = {
        {broken, broken + ": technique 'T', pass 'P0': the fragment block does not compile:\n0:8("},
        {unparsable, unparsable + "(2): expected 'pass' or '}', found 'pas'"},
        {m_dir.file("missing.fx"), m_dir.file("missing.fx") + ": cannot open the file"},
    };
    for (const auto& [path, start] : effects) {
        ID3DXEffect* effect = nullptr;
        ID3DXBuffer* errors = nullptr;
        const HRESULT hr = D3DXCreateEffectFromFileA(m_device, path.c_str(), nullptr, nullptr, 0,
                                                     nullptr, &effect, &errors);
        EXPECT_EQ(hr, D3DXERR_INVALIDDATA);
        EXPECT_EQ(effect, nullptr);
        ASSERT_NE(errors, nullptr);
        const std::string message = static_cast<const char*>(errors->GetBufferPointer());
        EXPECT_EQ(message.substr(0, start.size()), start);
        errors->Release();
    }
}

TEST(D3DXImageInfo, ReadsTheSizeOfEveryKindFromItsHeader) {
    vx::test::TempDir dir;
    const int w = 6;
    const int h = 20;
    const std::vector<unsigned char> pixels(static_cast<std::size_t>(w * h * 3), 128);
    ASSERT_TRUE(stbi_write_png(dir.file("a.png").c_str(), w, h, 3, pixels.data(), w * 3));
    ASSERT_TRUE(stbi_write_tga(dir.file("a.tga").c_str(), w, h, 3, pixels.data()));
    ASSERT_TRUE(stbi_write_bmp(dir.file("a.bmp").c_str(), w, h, 3, pixels.data()));
    ASSERT_TRUE(stbi_write_jpg(dir.file("a.jpg").c_str(), w, h, 3, pixels.data(), 90));
    {
        // A DDS header alone: the size is all that is read.
        unsigned char header[128] = {'D', 'D', 'S', ' ', 124};
        header[12] = h;
        header[16] = w;
        std::ofstream(dir.file("a.dds"), std::ios::binary)
            .write(reinterpret_cast<const char*>(header), sizeof header);
    }
    const std::vector<std::pair<const char*, D3DXIMAGE_FILEFORMAT>> files = {
        {"a.png", D3DXIFF_PNG},
        {"a.tga", D3DXIFF_TGA},
        {"a.bmp", D3DXIFF_BMP},
        {"a.jpg", D3DXIFF_JPG},
        {"a.dds", D3DXIFF_DDS}};
    for (const auto& [name, format] : files) {
        D3DXIMAGE_INFO info;
        ASSERT_EQ(D3DXGetImageInfoFromFileA(dir.file(name).c_str(), &info), D3D_OK) << name;
        EXPECT_EQ(info.Width, static_cast<UINT>(w)) << name;
        EXPECT_EQ(info.Height, static_cast<UINT>(h)) << name;
        EXPECT_EQ(info.ImageFileFormat, format) << name;
    }
    std::ofstream(dir.file("notes.txt")) << "not an image";
    D3DXIMAGE_INFO info;
    EXPECT_EQ(D3DXGetImageInfoFromFileA(dir.file("notes.txt").c_str(), &info), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXGetImageInfoFromFileA(dir.file("missing.png").c_str(), &info),
              D3DERR_NOTAVAILABLE);
}

} // namespace
} // namespace vx::test
