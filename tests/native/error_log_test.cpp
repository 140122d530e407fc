// Lines of the error log for failed system calls, as the host build writes
// them to standard error.
#include "platform/error_log.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

std::string LoggedFailure(const char* what, unsigned long code, std::wstring_view text) {
  ::testing::internal::CaptureStderr();
  LogFailedCall(what, code, text);
  return ::testing::internal::GetCapturedStderr();
}

TEST(ErrorLog, AFailedCallNamesTheCallTheCodeAndTheSystemsText) {
  EXPECT_EQ(LoggedFailure("CreateFile", 5, L"Access is denied.\r\n"),
            "Tavrel: CreateFile failed: error 5 (Access is denied.)\n");
  // Some system texts end in a space after their line end is dropped.
  EXPECT_EQ(LoggedFailure("OpenClipboard", 1418, L"Thread does not have a clipboard open. \r\n"),
            "Tavrel: OpenClipboard failed: error 1418 (Thread does not have a clipboard open.)\n");
  EXPECT_EQ(LoggedFailure("SetTimer", 87, L""), "Tavrel: SetTimer failed: error 87\n");
  EXPECT_EQ(LoggedFailure(nullptr, 4294967295ul, L"\r\n"), "Tavrel: ? failed: error 4294967295\n");
}

TEST(ErrorLog, AVeryLongSystemTextIsCutButTheLineStillEnds) {
  const std::wstring text(2000, L'x');
  const std::string line = LoggedFailure("RegisterClass", 1410, text);
  ASSERT_GE(line.size(), 3u);
  EXPECT_EQ(line.rfind("Tavrel: RegisterClass failed: error 1410 (xxx", 0), 0u);
  EXPECT_EQ(line.back(), '\n');
  EXPECT_LT(line.size(), 620u);
}

}  // namespace
}  // namespace platform
