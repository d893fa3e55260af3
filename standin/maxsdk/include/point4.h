// A point of four single-precision floats.
#pragma once

class Point4 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};
