// A rotation as a quaternion.
#pragma once

class Quat {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};
