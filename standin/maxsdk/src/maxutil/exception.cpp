// The SDK's exceptions.
#include "maxexception.h"

namespace MaxSDK {
namespace Util {

Exception::Exception() = default;
Exception::~Exception() = default;

// The message is a literal of the code that throws, so it outlives the
// exception.
OutOfRangeException::OutOfRangeException(const MCHAR* message) : message_(message) {}
OutOfRangeException::~OutOfRangeException() = default;
const MCHAR* OutOfRangeException::What() const { return message_; }

}  // namespace Util
}  // namespace MaxSDK
