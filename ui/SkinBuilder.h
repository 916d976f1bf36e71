// Turns a skin file (or markup text beginning with '<') into a control tree.
#pragma once

#include <string>

#include "ui/ControlUI.h"
#include "ui/SkinXml.h"

namespace SkinUI {

class CControlManagerUI;

class CSkinBuilder {
public:
    // Returns the root control, or nullptr when the markup cannot be loaded
    // or holds no control. Fonts and window attributes go to the manager.
    CControlUI* Create(const std::wstring& skin, IDialogBuilderCallback* callback, CControlManagerUI* manager,
                       CControlUI* parent = nullptr);
    const CSkinXml& Markup() const { return m_xml; }

    // A built-in control for an element name (ignoring case), or nullptr.
    static CControlUI* CreateBuiltinControl(const wchar_t* name);

private:
    CControlUI* Parse(const CSkinXmlNode& first, CControlUI* parent, CControlManagerUI* manager);

    CSkinXml m_xml;
    IDialogBuilderCallback* m_pCallback = nullptr;
};

}  // namespace SkinUI
