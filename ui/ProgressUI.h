// Progress bar: the fore picture scaled into the filled part.
#pragma once

#include "ui/LabelUI.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

    int GetMinValue() const { return m_nMin; }
    int GetMaxValue() const { return m_nMax; }
    void SetMinValue(int v);
    void SetMaxValue(int v);
    int ProgressValue() const { return m_nValue; }
    void SetProgress(int v);
    bool IsHorizontal() const { return m_bHorizontal; }
    // The filled part relative to the control (after the min/max fix-up).
    RECT ForeDestination();

    void SetAttribute(const wchar_t* name, const wchar_t* value) override;
    void PaintStatusImage(HDC hdc) override;

private:
    int m_nMin = 0, m_nMax = 100, m_nValue = 0;
    bool m_bHorizontal = true;
    ImageSlot m_foreImage;
};

}  // namespace SkinUI
