// Points in two dimensions: of floats (Point2) and of ints (IPoint2).
#pragma once

class Point2 {
public:
    float x = 0.0f, y = 0.0f;
};

class IPoint2 {
public:
    int x = 0, y = 0;
};
