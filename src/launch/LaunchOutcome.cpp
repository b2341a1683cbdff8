#include "launch/LaunchOutcome.h"

namespace {

// Last-error codes the messages are written for.
constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorNotEnoughMemory = 8;
constexpr unsigned long kErrorSharingViolation = 32;
constexpr unsigned long kErrorBadExeFormat = 193;
constexpr unsigned long kErrorNoAssociation = 1155;
constexpr unsigned long kErrorCancelled = 1223;

// The shell's own return values at or below 32.
constexpr std::intptr_t kOutOfMemory = 0;
constexpr std::intptr_t kFileNotFound = 2;
constexpr std::intptr_t kPathNotFound = 3;
constexpr std::intptr_t kAccessDenied = 5;
constexpr std::intptr_t kNotEnoughMemory = 8;
constexpr std::intptr_t kBadFormat = 11;
constexpr std::intptr_t kSharingViolation = 26;
constexpr std::intptr_t kAssociationIncomplete = 27;
constexpr std::intptr_t kDdeTimeout = 28;
constexpr std::intptr_t kDdeFailed = 29;
constexpr std::intptr_t kDdeBusy = 30;
constexpr std::intptr_t kNoAssociation = 31;
constexpr std::intptr_t kDllNotFound = 32;

LaunchFailure FromLastError(unsigned long code)
{
    switch (code) {
    case kErrorFileNotFound: return LaunchFailure::FileNotFound;
    case kErrorAccessDenied: return LaunchFailure::AccessDenied;
    case kErrorNotEnoughMemory: return LaunchFailure::OutOfMemory;
    case kErrorSharingViolation: return LaunchFailure::SharingViolation;
    case kErrorBadExeFormat: return LaunchFailure::BadFormat;
    case kErrorNoAssociation: return LaunchFailure::NoAssociation;
    case kErrorCancelled: return LaunchFailure::Cancelled;
    default: return LaunchFailure::None;
    }
}

LaunchFailure FromReturnValue(std::intptr_t value)
{
    switch (value) {
    case kAccessDenied: return LaunchFailure::AccessDenied;
    case kOutOfMemory:
    case kNotEnoughMemory: return LaunchFailure::OutOfMemory;
    case kSharingViolation: return LaunchFailure::SharingViolation;
    case kBadFormat: return LaunchFailure::BadFormat;
    case kAssociationIncomplete:
    case kDdeTimeout:
    case kDdeFailed:
    case kDdeBusy:
    case kNoAssociation: return LaunchFailure::NoAssociation;
    case kFileNotFound:
    case kPathNotFound:
    case kDllNotFound:
    default: return LaunchFailure::FileNotFound;  // nothing better to say of an unknown failure
    }
}

}  // namespace

LaunchFailure JudgeOpen(const OpenResult& result)
{
    if (result.returnValue > 32)
        return LaunchFailure::None;
    const LaunchFailure named = FromLastError(result.lastError);
    return named != LaunchFailure::None ? named : FromReturnValue(result.returnValue);
}

std::string FailureMessage(LaunchFailure failure, const std::string& displayName)
{
    switch (failure) {
    case LaunchFailure::FileNotFound:
        return "Could not find the file '" + displayName +
               "' (or one of its components).  Check your path and make sure that all required libraries are "
               "available.";
    case LaunchFailure::AccessDenied:
        return "Access was denied to the file '" + displayName + "'.";
    case LaunchFailure::OutOfMemory:
        return "The system is out of resources.  Quit all running programs and try again.";
    case LaunchFailure::SharingViolation:
        return "A sharing violation has occured. '" + displayName + "' might be in use.";
    case LaunchFailure::BadFormat:
        return displayName + " is not a valid Win32 application.";
    case LaunchFailure::NoAssociation:
        return "'" + displayName +
               "' does not have a program associated with it for performing this action.  Create an association "
               "in My Computer be clicking View and then Folder Options.";
    case LaunchFailure::None:
    case LaunchFailure::Cancelled:
    case LaunchFailure::SystemError:
        break;
    }
    return std::string();
}
