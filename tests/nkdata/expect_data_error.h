// Checks that a reader refuses its input with a given message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "nk_error.h"

namespace aurivel::nkdata {

template <typename Read>
void ExpectDataError(const Read& read, const std::string& message) {
    try {
        read();
        ADD_FAILURE() << "accepted; expected: " << message;
    } catch (const DataError& e) {
        EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
}

// A file of the database subset, by its path below data/.
inline std::string DataFile(const std::string& page) { return std::string(AURIVEL_NK_DATA) + "/database/data/" + page; }

}  // namespace aurivel::nkdata
