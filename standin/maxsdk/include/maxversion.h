// The release of 3ds Max that this SDK is for.
#pragma once

#define MAX_PRODUCT_YEAR_NUMBER 2024
