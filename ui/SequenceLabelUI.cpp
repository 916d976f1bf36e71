#include "ui/SequenceLabelUI.h"

#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/ControlManagerUI.h"

namespace SkinUI {

CSequenceLabelUI::CSequenceLabelUI() { m_frames.round = false; }

CSequenceLabelUI::~CSequenceLabelUI() {
    if (m_pManager) m_pManager->StopControlTimer(this, kFrameTimerId);
}

const wchar_t* CSequenceLabelUI::GetClass() const { return L"SequenceLabel"; }

void* CSequenceLabelUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"SequenceLabel") == 0) return this;
    return CLabelUI::GetInterface(name);
}

void CSequenceLabelUI::Restart() {
    m_frames.index = 0;
    if (m_pManager) m_pManager->StartControlTimer(this, kFrameTimerId, m_nSpan);
}

void CSequenceLabelUI::Stop() {
    if (m_pManager) m_pManager->StopControlTimer(this, kFrameTimerId);
}

void CSequenceLabelUI::DoInit() {
    CLabelUI::DoInit();
    if (m_bAutoStart && m_pManager) m_pManager->StartControlTimer(this, kFrameTimerId, m_nSpan);
}

void CSequenceLabelUI::DoEvent(UiEvent& event) {
    CLabelUI::DoEvent(event);
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

void CSequenceLabelUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
    if (std::wcscmp(name, L"sequencebkimage") == 0) SetFramePattern(value);
    else if (EqualsNoCase(name, L"sequencecount")) SetFrameCount((int)ParseLong(value));
    else if (EqualsNoCase(name, L"sequencespan")) SetFrameSpan((int)ParseLong(value));
    else if (EqualsNoCase(name, L"sequenceloop")) m_frames.loop = ParseBoolNotFalse(value);
    else if (EqualsNoCase(name, L"autostart")) m_bAutoStart = ParseBoolNotFalse(value);
    else if (EqualsNoCase(name, L"sequenceround")) m_frames.round = ParseBoolNotFalse(value);
    else CLabelUI::SetAttribute(name, value);
}

}  // namespace SkinUI
