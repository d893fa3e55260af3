// Colour conversions through a converter that the header completes only
// after the template that uses it: a compiler that parses a template where
// it is defined (clang under /permissive-) refuses the access into the
// incomplete type; Visual C++, which parses it where it is used, accepts it.
#pragma once

namespace MaxSDK {

class ColourConverter;

template <typename Colour>
class ColourConversion {
public:
    static float Gain(const ColourConverter& converter) { return converter.gain; }
};

class ColourConverter {
public:
    float gain = 1.0f;
};

}  // namespace MaxSDK
