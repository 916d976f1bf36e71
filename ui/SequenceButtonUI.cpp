#include "ui/SequenceButtonUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

CSequenceButtonUI::CSequenceButtonUI() { m_frames.round = true; }

CSequenceButtonUI::~CSequenceButtonUI() {
    if (m_pManager) m_pManager->StopControlTimer(this, kFrameTimerId);
}

const wchar_t* CSequenceButtonUI::GetClass() const { return L"SequenceButton"; }

void* CSequenceButtonUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"SequenceButton") == 0) return this;
    return CButtonUI::GetInterface(name);
}

void CSequenceButtonUI::Restart() {
    m_frames.index = 0;
    if (m_pManager) m_pManager->StartControlTimer(this, kFrameTimerId, m_nSpan);
}

void CSequenceButtonUI::Stop() {
    if (m_pManager) m_pManager->StopControlTimer(this, kFrameTimerId);
}

void CSequenceButtonUI::DoInit() {
    CButtonUI::DoInit();
    if (m_bAutoStart && m_pManager) m_pManager->StartControlTimer(this, kFrameTimerId, m_nSpan);
}

void CSequenceButtonUI::DoEvent(UiEvent& event) {
    CButtonUI::DoEvent(event);
    if (event.Type != UIEVENT_TIMER) return;
    if (m_sPattern.empty()) return;
    int frame = 0;
    bool stop = false;
    if (!m_frames.Tick(&frame, &stop)) {
        if (stop) Stop();
        return;
    }
    SetBkImage(FormatFrameName(m_sPattern, frame));
    Invalidate();
}

void CSequenceButtonUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    if (std::wcscmp(name, L"sequencebkimage") == 0) SetFramePattern(value);
    else if (EqualsNoCase(name, L"sequencecount")) SetFrameCount((int)ParseLong(value));
    else if (EqualsNoCase(name, L"sequencespan")) SetFrameSpan((int)ParseLong(value));
    else if (EqualsNoCase(name, L"sequenceloop")) m_frames.loop = ParseBoolNotFalse(value);
    else if (EqualsNoCase(name, L"autostart")) m_bAutoStart = ParseBoolNotFalse(value);
    else if (EqualsNoCase(name, L"sequenceround")) m_frames.round = ParseBoolNotFalse(value);
    else CButtonUI::SetAttribute(name, value);
}

}  // namespace SkinUI
