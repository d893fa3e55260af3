// Checks that a reader refuses its input with a given message.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "nkdata/nk_data.h"
#include "nkdata/nk_error.h"

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

// A table's faulty row is refused where the data are used at it: the data
// used at each row that their tables left out.
inline void UseAtLeftOutRows(const NkData& data) {
    for (const OpticalFunction* function : {&data.n, &data.k}) {
        for (const LeftOutRow& row : function->leftOut) {
            function->at(row.micrometres);
        }
    }
}

// An input that a reader must refuse, for tables of such cases; each table
// is an instantiation of RefusedInputTest.
struct RefusedInput {
    const char* what;  // names the case in test listings
    void (*read)(const std::string& text);
    const char* text;     // the input
    const char* message;  // what the refusal must say
};

inline void PrintTo(const RefusedInput& c, std::ostream* os) { *os << c.what; }
inline std::string CaseName(const ::testing::TestParamInfo<RefusedInput>& info) { return info.param.what; }

class RefusedInputTest : public ::testing::TestWithParam<RefusedInput> {};

// A file of the database subset, by its path below data/.
inline std::string DataFile(const std::string& page) { return std::string(AURIVEL_NK_DATA) + "/database/data/" + page; }

}  // namespace aurivel::nkdata
