#include "download/CDownloader.h"

#include "download/CCurlDownloader.h"
#include "download/CMTCurlDownloader.h"
#include "download/CWinDownloader.h"
#include "download/DigestRule.h"
#include "download/FileMd5.h"
#include "utils/TextConvert.h"

std::unique_ptr<CDownloader> CDownloader::Create(int downloadType, const ReportCallback& report,
                                                 const std::wstring& url, const std::wstring& packagePath) {
  switch (downloadType) {
    case 2:
      return std::make_unique<CWinDownloader>(report, url, packagePath);
    case 3:
      return std::make_unique<CMTCurlDownloader>(report, url, packagePath);
    default:
      return std::make_unique<CCurlDownloader>(report, url, packagePath);
  }
}

CDownloader::DigestResult CDownloader::CheckDigest(const std::string& finalUrl, const wchar_t* missingNotice,
                                                   const wchar_t* wrongNotice, double noticeValue) {
  std::string expected = DigestRule::ExpectedDigest(finalUrl);
  std::string actual = Utils::FileMd5(Utils::ToNarrow(packagePath_, 0));
  if (!DigestRule::IsUsable(expected)) {
    report_(DL_CODE_MD5_NOTICE, noticeValue, missingNotice);
    // Nothing to compare with, but a package that is not there (or cannot
    // be read) is never handed on as a success.
    return actual.empty() ? DigestResult::Mismatch : DigestResult::Accepted;
  }
  if (actual != expected) {
    report_(DL_CODE_MD5_NOTICE, noticeValue, wrongNotice);
    return DigestResult::Mismatch;
  }
  return DigestResult::Accepted;
}
