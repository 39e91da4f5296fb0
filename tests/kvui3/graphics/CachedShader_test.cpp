#include "graphics/CachedShader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

// Fake GL: counts the calls of each setter by tag and answers location and name queries from
// a small program with the uniforms below. Index and location deliberately differ.
struct FakeUniform {
    const char* name;
    int location;
};
constexpr FakeUniform fakeProgram[] = {
    {"gl_ModelViewProjectionMatrix", 0}, {"texture", 3}, {"b", 2}, {"a", 1}};

int calls[kv::uniformMat4 + 1];
int locationQueries;
unsigned pendingError;
float lastFloat;

void count(uint32_t tag) { ++calls[tag]; }
void f1(unsigned, int, float x) { lastFloat = x; count(kv::uniformFloat); }
void f2(unsigned, int, float, float) { count(kv::uniformVec2); }
void f3(unsigned, int, float, float, float) { count(kv::uniformVec3); }
void f4(unsigned, int, float, float, float, float) { count(kv::uniformVec4); }
void i1(unsigned, int, int) { count(kv::uniformInt); }
void i2(unsigned, int, int, int) { count(kv::uniformIVec2); }
void i3(unsigned, int, int, int, int) { count(kv::uniformIVec3); }
void i4(unsigned, int, int, int, int, int) { count(kv::uniformIVec4); }
void m3(unsigned, int, int, unsigned char, const float*) { count(kv::uniformMat3); }
void m4(unsigned, int, int, unsigned char, const float*) { count(kv::uniformMat4); }
int location(unsigned, const char* name)
{
    ++locationQueries;
    for (const FakeUniform& u : fakeProgram)
        if (std::strcmp(u.name, name) == 0)
            return u.location;
    return -1;
}
void programiv(unsigned, unsigned, int* value) { *value = static_cast<int>(std::size(fakeProgram)); }
void activeUniform(unsigned, unsigned index, int bufSize, int* length, int* size, unsigned* type, char* name)
{
    std::snprintf(name, static_cast<size_t>(bufSize), "%s", fakeProgram[index].name);
    *length = static_cast<int>(std::strlen(name));
    *size = 1;
    *type = 0;
}
unsigned error()
{
    const unsigned e = pendingError;
    pendingError = 0;
    return e;
}

kv::GlUniformApi fullApi()
{
    kv::GlUniformApi api;
    api.programUniform1f = f1;
    api.programUniform2f = f2;
    api.programUniform3f = f3;
    api.programUniform4f = f4;
    api.programUniform1i = i1;
    api.programUniform2i = i2;
    api.programUniform3i = i3;
    api.programUniform4i = i4;
    api.programUniformMatrix3fv = m3;
    api.programUniformMatrix4fv = m4;
    api.getUniformLocation = location;
    api.getProgramiv = programiv;
    api.getActiveUniform = activeUniform;
    api.getError = error;
    return api;
}

constexpr unsigned program = 7;

class UniformCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(calls, 0, sizeof calls);
        locationQueries = 0;
        pendingError = 0;
        kv::setGlUniformApi(fullApi());
    }
    kv::UniformCache cache;
};

kv::UniformValue value(uint32_t tag, float x)
{
    kv::UniformValue v;
    v.tag = tag;
    const bool isInt = tag >= kv::uniformInt && tag <= kv::uniformIVec4;
    for (int k = 0; k < 16; ++k) {
        if (isInt)
            v.value.i[k] = static_cast<int>(x);
        else
            v.value.f[k] = x;
    }
    return v;
}

// Every number tag: an equal value is skipped, a change in the last component is sent.
TEST_F(UniformCacheTest, SkipsEqualValuesOfEveryType)
{
    const int components[] = {0, 1, 2, 3, 4, 1, 2, 3, 4, 9, 16};
    for (uint32_t tag = kv::uniformFloat; tag <= kv::uniformMat4; ++tag) {
        SCOPED_TRACE(tag);
        kv::UniformValue v{};
        v.tag = tag;
        const bool isInt = tag >= kv::uniformInt && tag <= kv::uniformIVec4;
        cache.set(program, 4, v, false);
        cache.set(program, 4, v, false);
        EXPECT_EQ(calls[tag], 1);
        if (isInt)
            v.value.i[components[tag] - 1] = 9;
        else
            v.value.f[components[tag] - 1] = 9.0f;
        cache.set(program, 4, v, false);
        EXPECT_EQ(calls[tag], 2);
    }
}

TEST_F(UniformCacheTest, TypeChangeForceAndNaNAreSent)
{
    cache.set(program, 1, value(kv::uniformFloat, 0.5f), false);
    cache.set(program, 1, value(kv::uniformFloat, 0.5f), false);
    EXPECT_EQ(calls[kv::uniformFloat], 1);
    cache.set(program, 1, value(kv::uniformInt, 1), false);
    EXPECT_EQ(calls[kv::uniformInt], 1);

    cache.set(program, 2, value(kv::uniformInt, 3), false);
    cache.set(program, 2, value(kv::uniformInt, 3), true);
    EXPECT_EQ(calls[kv::uniformInt], 3);

    cache.set(program, 3, value(kv::uniformFloat, NAN), false);
    cache.set(program, 3, value(kv::uniformFloat, NAN), false);
    EXPECT_EQ(calls[kv::uniformFloat], 3);
}

TEST_F(UniformCacheTest, NothingIsSentOrCachedWithoutLocationOrProgram)
{
    cache.set(program, -1, value(kv::uniformFloat, 1.0f), false);
    cache.set(0, 1, value(kv::uniformFloat, 1.0f), false);
    EXPECT_EQ(calls[kv::uniformFloat], 0);
    EXPECT_TRUE(cache.values.empty());

    // Past the cap a value is sent every time but never grows the cache.
    cache.set(program, kv::maxCachedUniformLocation + 1, value(kv::uniformFloat, 1.0f), false);
    cache.set(program, kv::maxCachedUniformLocation + 1, value(kv::uniformFloat, 1.0f), false);
    EXPECT_EQ(calls[kv::uniformFloat], 2);
    EXPECT_TRUE(cache.values.empty());
}

TEST_F(UniformCacheTest, ClearedCacheSendsAgain)
{
    cache.set(program, 1, value(kv::uniformFloat, 0.25f), false);
    EXPECT_EQ(cache.getUniformLocation(program, "a"), 1);
    cache.clear();
    EXPECT_TRUE(cache.locations.empty());
    cache.set(program, 1, value(kv::uniformFloat, 0.25f), false);
    EXPECT_EQ(calls[kv::uniformFloat], 2);
    EXPECT_EQ(lastFloat, 0.25f);
}

TEST_F(UniformCacheTest, LocationsAreAskedOnceMissesIncluded)
{
    EXPECT_EQ(cache.getUniformLocation(program, "b"), 2);
    EXPECT_EQ(cache.getUniformLocation(program, "b"), 2);
    EXPECT_EQ(cache.getUniformLocation(program, "unknown"), -1);
    EXPECT_EQ(cache.getUniformLocation(program, "unknown"), -1);
    EXPECT_EQ(locationQueries, 2);

    // No program or no entry point: -1, and nothing kept, so a later call asks again.
    kv::UniformCache other;
    EXPECT_EQ(other.getUniformLocation(0, "b"), -1);
    kv::GlUniformApi api = fullApi();
    api.getUniformLocation = nullptr;
    kv::setGlUniformApi(api);
    EXPECT_EQ(other.getUniformLocation(program, "b"), -1);
    EXPECT_TRUE(other.locations.empty());
}

TEST_F(UniformCacheTest, NameOfALocationIsNotTheNameAtThatIndex)
{
    // Location 3 sits at active index 1 and location 1 at index 3.
    EXPECT_EQ(cache.getUniformName(program, 3), "texture");
    EXPECT_EQ(cache.getUniformName(program, 1), "a");
    EXPECT_EQ(cache.getUniformName(program, 0), ""); // a gl_ built-in
    EXPECT_EQ(cache.getUniformName(program, 9), "");
    EXPECT_EQ(cache.getUniformName(program, -1), "");
    EXPECT_EQ(cache.getUniformName(0, 3), "");
    cache.getUniformLocation(program, "b");
    locationQueries = 0;
    EXPECT_EQ(cache.getUniformName(program, 2), "b");
    EXPECT_EQ(locationQueries, 0); // found in the map
}

TEST_F(UniformCacheTest, GlErrorsAreReportedAndTheValueCached)
{
    ::testing::internal::CaptureStderr();
    pendingError = 1282;
    cache.set(program, 1, value(kv::uniformFloat, 2.0f), false);
    pendingError = 1281;
    cache.set(program, 2, value(kv::uniformInt, 2), true);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Error: CachedShader::224: GL_INVALID_OPERATION"), std::string::npos) << log;
    EXPECT_NE(log.find("Error: CachedShader::395: A GL error occured."), std::string::npos) << log;
    EXPECT_TRUE(cache.holds(1, value(kv::uniformFloat, 2.0f)));
}

TEST_F(UniformCacheTest, MissingEntryPointIsReportedOnceAndCachesNothing)
{
    kv::GlUniformApi api = fullApi();
    api.programUniform2f = nullptr;
    kv::setGlUniformApi(api);
    ::testing::internal::CaptureStderr();
    cache.set(program, 1, value(kv::uniformVec2, 1.0f), false);
    cache.set(program, 1, value(kv::uniformVec2, 1.0f), false);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(cache.holds(1, value(kv::uniformVec2, 1.0f)));
    const std::string text = "glProgramUniform2f is not available";
    const size_t first = log.find(text);
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(text, first + 1), std::string::npos);
}

} // namespace
