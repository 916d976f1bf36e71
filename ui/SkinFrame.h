// The program's frame class: a skinned window described by a FrameSpec,
// with the drop shadow from the skin and Escape swallowed.
#pragma once

#include <string>

#include "ui/WindowImplBase.h"
#include "ui/WndShadow.h"

namespace SkinUI {

struct FrameSpec {
    ResourceKind resourceKind = kSkinArchiveResource;
    int resourceId = 147;
    std::wstring skinFolder;
    std::wstring skinFile;
    std::wstring windowClassName;

    // The usual spec: archive resource 147 and the class name taken from
    // the skin file name up to its first '.'.
    static FrameSpec ForSkin(const std::wstring& skinFile, int resourceId = 147);
};

class CSkinFrame : public WindowImplBase {
public:
    explicit CSkinFrame(const FrameSpec& spec);
    ~CSkinFrame() override;

    ResourceKind SkinResourceKind() const override { return m_spec.resourceKind; }
    int SkinResourceId() const override { return m_spec.resourceId; }
    std::wstring SkinFolder() const override { return m_spec.skinFolder; }
    std::wstring SkinFile() const override { return m_spec.skinFile; }
    const FrameSpec& Spec() const { return m_spec; }
    CWndShadow& Shadow() { return m_shadow; }

    void OnWindowReady() override;
    LRESULT PreFilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

protected:
    const wchar_t* WindowClassName() const override { return m_spec.windowClassName.c_str(); }

    FrameSpec m_spec;
    CWndShadow m_shadow;
};

}  // namespace SkinUI
