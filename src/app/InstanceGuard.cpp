#include "app/InstanceGuard.h"

namespace {

constexpr unsigned long kAlreadyExists = 183;  // ERROR_ALREADY_EXISTS
constexpr unsigned long kAccessDenied = 5;     // ERROR_ACCESS_DENIED

}  // namespace

bool AnotherCopyRuns(unsigned long lastError)
{
    return lastError == kAlreadyExists || lastError == kAccessDenied;
}
