#pragma once
// An angle with radians stored inside, written against the interface of SFML 3's sf::Angle
// (SFML 2.5 has none). SFML 2.5 transformables take float degrees: setRotation(a.asDegrees()).
#include <cmath>

namespace kv {

inline constexpr float pi = 3.14159265358979f;
inline constexpr float tau = 2.0f * pi;
inline constexpr float degreesToRadians = pi / 180.0f;
inline constexpr float radiansToDegrees = 180.0f / pi;

class Angle {
public:
    constexpr Angle() = default;

    constexpr float asDegrees() const { return m_radians * radiansToDegrees; }
    constexpr float asRadians() const { return m_radians; }

    // The same direction in [0, 2π).
    Angle wrapUnsigned() const
    {
        float r = std::fmod(m_radians, tau);
        if (r < 0.0f)
            r += tau;
        // A tiny negative remainder plus 2π rounds to 2π itself, which is outside the range.
        if (!(r < tau))
            r = 0.0f;
        return Angle(r);
    }

    // The same direction in [-π, π).
    Angle wrapSigned() const
    {
        float r = std::fmod(m_radians, tau);
        if (r >= pi)
            r -= tau;
        else if (r < -pi)
            r += tau;
        return Angle(r);
    }

    static const Angle Zero;

private:
    friend constexpr Angle degrees(float angle);
    friend constexpr Angle radians(float angle);
    constexpr explicit Angle(float radians) : m_radians(radians) {}

    float m_radians = 0.0f;
};

inline constexpr Angle Angle::Zero{};

constexpr Angle degrees(float angle) { return Angle(angle * degreesToRadians); }
constexpr Angle radians(float angle) { return Angle(angle); }

constexpr bool operator==(Angle a, Angle b) { return a.asRadians() == b.asRadians(); }
constexpr bool operator!=(Angle a, Angle b) { return a.asRadians() != b.asRadians(); }
constexpr bool operator<(Angle a, Angle b) { return a.asRadians() < b.asRadians(); }
constexpr bool operator>(Angle a, Angle b) { return a.asRadians() > b.asRadians(); }
constexpr bool operator<=(Angle a, Angle b) { return a.asRadians() <= b.asRadians(); }
constexpr bool operator>=(Angle a, Angle b) { return a.asRadians() >= b.asRadians(); }

// Plain radians brought into [0, 2π).
inline float wrapRadians(float angle)
{
    return radians(angle).wrapUnsigned().asRadians();
}

constexpr Angle operator-(Angle a) { return radians(-a.asRadians()); }
constexpr Angle operator+(Angle a, Angle b) { return radians(a.asRadians() + b.asRadians()); }
constexpr Angle operator-(Angle a, Angle b) { return radians(a.asRadians() - b.asRadians()); }
constexpr Angle operator*(Angle a, float f) { return radians(a.asRadians() * f); }
constexpr Angle operator*(float f, Angle a) { return radians(a.asRadians() * f); }
constexpr Angle operator/(Angle a, float f) { return radians(a.asRadians() / f); }
constexpr Angle& operator+=(Angle& a, Angle b) { return a = a + b; }
constexpr Angle& operator-=(Angle& a, Angle b) { return a = a - b; }

} // namespace kv
