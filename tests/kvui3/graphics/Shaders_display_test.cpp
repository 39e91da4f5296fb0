#include "graphics/CachedShader.h"
#include "graphics/ShaderUniforms.h"
#include "graphics/Shaders.h"

#include <SFML/Graphics.hpp>
#include <SFML/Window/Context.hpp>

#include "support/Display.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <unistd.h>

namespace {

class ShadersDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        ASSERT_EQ(chdir(TVL_GAME_DIR), 0);
        window = std::make_unique<sf::RenderWindow>(sf::VideoMode(64, 64), "shaders test");
        ASSERT_TRUE(window->isOpen());
        // A fresh registry, as at start-up: the ids count from 1, and a reload meets only this
        // test's programs.
        kv::Shaders::clearSlots();
    }
    // Created only once DISPLAY is known to be set (the constructor needs X).
    std::unique_ptr<sf::RenderWindow> window;
};

unsigned glTypeOf(kv::UniformType type)
{
    switch (type) {
    case kv::UniformType::Float: return 0x1406;     // GL_FLOAT
    case kv::UniformType::Vec2: return 0x8B50;      // GL_FLOAT_VEC2
    case kv::UniformType::Vec3: return 0x8B51;      // GL_FLOAT_VEC3
    case kv::UniformType::Vec4: return 0x8B52;      // GL_FLOAT_VEC4
    case kv::UniformType::Int: return 0x1404;       // GL_INT
    case kv::UniformType::Sampler2D: return 0x8B5E; // GL_SAMPLER_2D
    }
    return 0;
}

// The program's active uniforms (built-ins left out), name -> GL type.
std::map<std::string, unsigned> activeUniforms(unsigned program)
{
    using GetProgramiv = void (*)(unsigned, unsigned, int*);
    using GetActiveUniform = void (*)(unsigned, unsigned, int, int*, int*, unsigned*, char*);
    auto getProgramiv = reinterpret_cast<GetProgramiv>(sf::Context::getFunction("glGetProgramiv"));
    auto getActiveUniform = reinterpret_cast<GetActiveUniform>(sf::Context::getFunction("glGetActiveUniform"));
    std::map<std::string, unsigned> result;
    int count = 0;
    getProgramiv(program, 0x8B86 /* GL_ACTIVE_UNIFORMS */, &count);
    for (int i = 0; i < count; ++i) {
        char name[128] = {};
        int length = 0, size = 0;
        unsigned type = 0;
        getActiveUniform(program, static_cast<unsigned>(i), sizeof name, &length, &size, &type, name);
        if (std::string(name).rfind("gl_", 0) != 0)
            result[name] = type;
    }
    return result;
}

// The program compiled, and its active uniforms are exactly the table's, with their types.
void expectProgramMatches(kv::ShaderId id, const kv::ProgramInfo& info)
{
    SCOPED_TRACE(info.name);
    const kv::ShaderSlot& slot = kv::getShaderSlot(id);
    ASSERT_TRUE(slot.loaded);
    std::map<std::string, unsigned> expected;
    for (size_t u = 0; u < info.uniformCount; ++u)
        expected[info.uniforms[u].name] = glTypeOf(info.uniforms[u].type);
    EXPECT_EQ(activeUniforms(slot.shader->getNativeHandle()), expected);
    for (size_t u = 0; u < info.uniformCount; ++u)
        EXPECT_GE(slot.shader->getUniformLocation(info.uniforms[u].name), 0) << info.uniforms[u].name;
}

TEST_F(ShadersDisplay, FrameworkProgramsCompileAndAcceptTheirUniforms)
{
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(kv::Shaders::init());
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log;
    EXPECT_EQ(kv::Shaders::getLastError(), "");

    const kv::ShaderId ids[] = {kv::shaderSpriteShadow, kv::shaderTeamColour, kv::shaderThermalImaging,
                                kv::shaderUiIcon,       kv::shaderLighting,   kv::shaderLight};
    ASSERT_EQ(std::size(ids), std::size(kv::shaderUniforms::frameworkPrograms));
    for (size_t i = 0; i < std::size(ids); ++i) {
        EXPECT_EQ(ids[i], static_cast<kv::ShaderId>(i + 1));
        expectProgramMatches(ids[i], kv::shaderUniforms::frameworkPrograms[i]);
    }
}

TEST_F(ShadersDisplay, GameProgramsCompileAndAcceptTheirUniforms)
{
    ASSERT_TRUE(kv::Shaders::init());
    ::testing::internal::CaptureStderr();
    for (const kv::ProgramInfo& info : kv::shaderUniforms::gamePrograms) {
        const kv::ShaderId id = kv::Shaders::addShader(std::string("base\\Shaders\\") + info.vertexFile,
                                                       std::string("base\\Shaders\\") + info.fragmentFile);
        ASSERT_GT(id, 0) << info.name;
        expectProgramMatches(id, info);
    }
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log;
}

// The colour of a 4x4 rectangle drawn with shader into a render texture.
sf::Color drawWith(const sf::Shader& shader)
{
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(4, 4));
    target.clear(sf::Color::Black);
    sf::RectangleShape quad(sf::Vector2f(4.0f, 4.0f));
    target.draw(quad, sf::RenderStates(&shader));
    target.display();
    return target.getTexture().copyToImage().getPixel(1, 1);
}

void expectNear(sf::Color actual, sf::Color expected)
{
    EXPECT_NEAR(actual.r, expected.r, 2);
    EXPECT_NEAR(actual.g, expected.g, 2);
    EXPECT_NEAR(actual.b, expected.b, 2);
}

TEST_F(ShadersDisplay, CachedValuesReachTheProgramAndSurviveReload)
{
    ASSERT_TRUE(kv::Shaders::init());
    testsupport::TempDir dir;
    dir.write("probe.frag", "#version 120\n"
                            "uniform float a;\n"
                            "uniform vec2 b;\n"
                            "uniform sampler2D tint;\n"
                            "void main() { gl_FragColor = vec4(a, b.x, b.y, 1.0) * texture2D(tint, vec2(0.5)); }\n");
    const kv::ShaderId id = kv::Shaders::addShader("", (dir.path() / "probe.frag").string());
    ASSERT_GT(id, 0);
    kv::ShaderSlot& slot = kv::getShaderSlot(id);
    ASSERT_TRUE(slot.loaded);
    kv::CachedShader& shader = *slot.shader;

    sf::Image yellow;
    yellow.create(1, 1, sf::Color(255, 255, 0));
    sf::Texture tint;
    ASSERT_TRUE(tint.loadFromImage(yellow));

    auto setAll = [&] {
        shader.setUniform1f(shader.getUniformLocation("a"), 0.2f);
        shader.setUniform2f(shader.getUniformLocation("b"), sf::Vector2f(0.6f, 1.0f));
        const int tintLocation = shader.getUniformLocation("tint");
        // Found through the program's active uniforms, not the map.
        shader.cache.locations.clear();
        shader.setUniformTexture(tintLocation, tint);
    };
    ::testing::internal::CaptureStderr();
    setAll();
    expectNear(drawWith(shader), sf::Color(51, 153, 0));

    kv::Shaders::reloadAll();
    EXPECT_TRUE(slot.loaded);
    EXPECT_TRUE(shader.cache.values.empty());
    EXPECT_TRUE(shader.cache.locations.empty());
    // The same values again: after the recompile they must reach GL, not the stale cache.
    setAll();
    expectNear(drawWith(shader), sf::Color(51, 153, 0));

    // Another program loaded into the same slot, its uniforms declared in another order.
    dir.write("probe.frag", "#version 120\n"
                            "uniform sampler2D tint;\n"
                            "uniform vec2 b;\n"
                            "uniform float a;\n"
                            "void main() { gl_FragColor = vec4(a, b.x, b.y, 1.0) * texture2D(tint, vec2(0.5)); }\n");
    ASSERT_TRUE(kv::Shaders::loadShader(id));
    EXPECT_TRUE(shader.cache.values.empty());
    setAll();
    expectNear(drawWith(shader), sf::Color(51, 153, 0));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log;
}

} // namespace
