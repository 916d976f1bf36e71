// DownloadType 2: the system's URL download service, with a bind-status
// callback that turns its progress into reports. Runs once per object; no
// digest check.
#pragma once

#include <windows.h>
#include <urlmon.h>

#include <atomic>

#include "download/CDownloader.h"
#include "utils/Thread.h"

class CWinDownloader : public CDownloader {
 public:
  static constexpr unsigned kRetryPauseMs = 1000;
  static constexpr int kAttempts = 3;

  class CBindCallback : public IBindStatusCallbackEx {
   public:
    CBindCallback() = default;
    virtual ~CBindCallback();

    void SetReport(const ReportCallback& report) { report_ = report; }
    void Abort() { abort_ = true; }

    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(OnStartBinding)(DWORD reserved, IBinding* binding) override;
    STDMETHOD(GetPriority)(LONG* priority) override;
    STDMETHOD(OnLowResource)(DWORD reserved) override;
    STDMETHOD(OnProgress)(ULONG progress, ULONG progressMax, ULONG statusCode, LPCWSTR statusText) override;
    STDMETHOD(OnStopBinding)(HRESULT result, LPCWSTR error) override;
    STDMETHOD(GetBindInfo)(DWORD* flags, BINDINFO* bindInfo) override;
    STDMETHOD(OnDataAvailable)(DWORD flags, DWORD size, FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHOD(OnObjectAvailable)(REFIID riid, IUnknown* object) override;
    STDMETHOD(GetBindInfoEx)(DWORD* flags, BINDINFO* bindInfo, DWORD* flags2, DWORD* reserved) override;

   private:
    ReportCallback report_;
    std::atomic<bool> abort_{false};
    IBinding* binding_ = nullptr;
  };

  CWinDownloader(const ReportCallback& report, const std::wstring& url, const std::wstring& packagePath);
  ~CWinDownloader() override;

  void Start() override;

 private:
  void Download();
  bool Pause(unsigned ms);

  CBindCallback bind_;
  Utils::Thread worker_;
  std::atomic<bool> started_{false};
  std::atomic<bool> closing_{false};
};
