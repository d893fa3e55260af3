// The exceptions that the SDK's own code throws, all of them maxutil.dll's.
#pragma once

#include "strbasic.h"
#include "utilexp.h"

namespace MaxSDK {
namespace Util {

class UtilExport Exception {
public:
    virtual ~Exception();

protected:
    Exception();
};

// An index outside a container's elements.
class UtilExport OutOfRangeException : public Exception {
public:
    explicit OutOfRangeException(const MCHAR* message);
    ~OutOfRangeException() override;
    // What went wrong.
    virtual const MCHAR* What() const;

private:
    const MCHAR* message_;
};

}  // namespace Util
}  // namespace MaxSDK
