// A button whose background picture is replaced frame by frame on a timer.
#pragma once

#include "ui/ButtonUI.h"
#include "ui/SequenceFrames.h"

namespace SkinUI {

class CSequenceButtonUI : public CButtonUI {
public:
    static const int kFrameTimerId = 2100;

    CSequenceButtonUI();
    ~CSequenceButtonUI() override;
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    virtual void SetFramePattern(const std::wstring& pattern) { m_sPattern = pattern; }
    virtual const std::wstring& GetFramePattern() const { return m_sPattern; }
    virtual void SetFrameCount(int count) { m_frames.count = count; }
    virtual int GetFrameCount() const { return m_frames.count; }
    virtual void SetFrameSpan(int ms) { m_nSpan = ms; }
    virtual int GetFrameSpan() const { return m_nSpan; }

    // Index back to 0 and the frame timer started (a running timer keeps running).
    void Restart();
    void Stop();
    const SequenceFrames& Frames() const { return m_frames; }
    bool IsAutoStart() const { return m_bAutoStart; }

    void DoInit() override;
    void DoEvent(UiEvent& event) override;
    void SetAttribute(const wchar_t* name, const wchar_t* value) override;

private:
    std::wstring m_sPattern;
    SequenceFrames m_frames;
    int m_nSpan = 60;
    bool m_bAutoStart = false;
};

}  // namespace SkinUI
