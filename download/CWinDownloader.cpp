#include "download/CWinDownloader.h"

#include <objbase.h>

#include "utils/TextConvert.h"

CWinDownloader::CBindCallback::~CBindCallback() {
  abort_ = true;
  report_ = nullptr;
}

HRESULT CWinDownloader::CBindCallback::QueryInterface(REFIID, void**) { return E_NOTIMPL; }
ULONG CWinDownloader::CBindCallback::AddRef() { return 0; }
ULONG CWinDownloader::CBindCallback::Release() { return 0; }

HRESULT CWinDownloader::CBindCallback::OnStartBinding(DWORD, IBinding* binding) {
  binding_ = binding;
  return E_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::GetPriority(LONG*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::OnLowResource(DWORD) { return E_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG, LPCWSTR) {
  if (abort_) return E_ABORT;
  if (progressMax == 0) return S_OK;
  if (report_) report_(DL_CODE_PROGRESS, double(progress) / double(progressMax), L"");
  return S_OK;
}

HRESULT CWinDownloader::CBindCallback::OnStopBinding(HRESULT, LPCWSTR) { return E_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::GetBindInfo(DWORD*, BINDINFO* bindInfo) {
  if (bindInfo) bindInfo->dwCodePage = 65001;
  return E_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::GetBindInfoEx(DWORD*, BINDINFO*, DWORD*, DWORD*) { return E_NOTIMPL; }

CWinDownloader::CWinDownloader(const ReportCallback& report, const std::wstring& url,
                               const std::wstring& packagePath)
    : CDownloader(report, url, packagePath), worker_(this, L"ABDEF", [](void* self) {
        static_cast<CWinDownloader*>(self)->Download();
        return 0;
      }) {}

CWinDownloader::~CWinDownloader() {
  // A running transfer stops at its next progress call; a thread that never
  // ran ends without running the download. Destroying worker_ (before
  // bind_) waits for it.
  closing_ = true;
  bind_.Abort();
}

void CWinDownloader::Start() {
  if (started_.exchange(true)) return;  // the routine runs once per object
  bind_.SetReport(report_);
  worker_.Start();
}

bool CWinDownloader::Pause(unsigned ms) {
  for (unsigned waited = 0; waited < ms && !closing_; waited += 50) Sleep(50);
  return !closing_;
}

void CWinDownloader::Download() {
  HRESULT com = CoInitialize(nullptr);
  report_(DL_CODE_START, 1.0, L"");
  const std::wstring url = url_.compare(0, 8, L"file:///") == 0 ? url_ : Utils::UrlEncode(url_);
  for (int attempt = 1; attempt <= kAttempts && !closing_; ++attempt) {
    HRESULT hr = URLDownloadToFileW(nullptr, url.c_str(), packagePath_.c_str(), 0, &bind_);
    if (SUCCEEDED(hr)) {
      if (!closing_) report_(DL_CODE_SUCCESS, 0, L"URLDownloadToFile");
      break;
    }
    if (!Pause(kRetryPauseMs)) break;
    if (attempt == kAttempts) report_(DL_CODE_FAIL, static_cast<double>(static_cast<int32_t>(hr)), L"URLDownloadToFile");
  }
  if (SUCCEEDED(com)) CoUninitialize();
}
