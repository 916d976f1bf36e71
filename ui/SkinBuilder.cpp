#include "ui/SkinBuilder.h"

#include "ui/AttrSyntax.h"
#include "ui/ButtonUI.h"
#include "ui/ContainerUI.h"
#include "ui/ControlManagerUI.h"
#include "ui/EditUI.h"
#include "ui/HorizontalLayoutUI.h"
#include "ui/LabelUI.h"
#include "ui/OptionUI.h"
#include "ui/ProgressUI.h"
#include "ui/TabLayoutUI.h"
#include "ui/VerticalLayoutUI.h"

namespace SkinUI {

CControlUI* CSkinBuilder::CreateBuiltinControl(const wchar_t* name) {
    if (EqualsNoCase(name, L"Control")) return new CControlUI();
    if (EqualsNoCase(name, L"Container")) return new CContainerUI();
    if (EqualsNoCase(name, L"VerticalLayout")) return new CVerticalLayoutUI();
    if (EqualsNoCase(name, L"HorizontalLayout")) return new CHorizontalLayoutUI();
    if (EqualsNoCase(name, L"TabLayout")) return new CTabLayoutUI();
    if (EqualsNoCase(name, L"Label")) return new CLabelUI();
    if (EqualsNoCase(name, L"Button")) return new CButtonUI();
    if (EqualsNoCase(name, L"Option")) return new COptionUI();
    if (EqualsNoCase(name, L"CheckBox")) return new CCheckBoxUI();
    if (EqualsNoCase(name, L"Edit")) return new CEditUI();
    if (EqualsNoCase(name, L"Progress")) return new CProgressUI();
    return nullptr;
}

CControlUI* CSkinBuilder::Create(const std::wstring& skin, IDialogBuilderCallback* callback,
                                 CControlManagerUI* manager, CControlUI* parent) {
    m_pCallback = callback;
    bool ok = (!skin.empty() && skin[0] == L'<') ? m_xml.Load(skin) : m_xml.LoadFile(skin);
    if (!ok) return nullptr;
    CSkinXmlNode root = m_xml.Root();
    if (!root.IsValid()) return nullptr;

    if (manager) {
        for (CSkinXmlNode n = root.FirstChild(); n.IsValid(); n = n.NextSibling()) {
            const wchar_t* cls = n.Name();
            if (EqualsNoCase(cls, L"Font")) {
                int id = -1, size = 12;
                std::wstring face;
                bool bold = false, underline = false, italic = false, isDefault = false, shared = false,
                     hasName = false;
                for (int i = 0; i < n.AttributeCount(); ++i) {
                    std::wstring an = n.AttributeName(i);
                    const wchar_t* v = n.AttributeValue(i);
                    if (an == L"id") id = (int)ParseLong(v);
                    else if (an == L"name") { face = v; hasName = true; }
                    else if (an == L"size") size = (int)ParseLong(v);
                    else if (an == L"bold") bold = ParseBool(v);
                    else if (an == L"underline") underline = ParseBool(v);
                    else if (an == L"italic") italic = ParseBool(v);
                    else if (an == L"default") isDefault = ParseBool(v);
                    else if (an == L"shared") shared = ParseBool(v);
                }
                if (id >= 0 && hasName) manager->AddFont(id, face, size, bold, underline, italic, isDefault, shared);
            } else if (EqualsNoCase(cls, L"Image")) {
                const wchar_t* name = n.Attribute(L"name");
                const wchar_t* type = n.Attribute(L"restype");
                const wchar_t* mask = n.Attribute(L"mask");
                if (name) manager->GetImage(name, type ? type : L"", mask ? ParseColor(mask) : 0);
            } else if (EqualsNoCase(cls, L"Default")) {
                const wchar_t* name = n.Attribute(L"name");
                const wchar_t* value = n.Attribute(L"value");
                if (name && value) manager->AddDefaultAttributeList(name, value);
            }
        }
        if (EqualsNoCase(root.Name(), L"Window") && manager->GetPaintWindow() != nullptr) {
            for (int i = 0; i < root.AttributeCount(); ++i)
                manager->SetWindowAttribute(root.AttributeName(i), root.AttributeValue(i));
        } else if (EqualsNoCase(root.Name(), L"Window") && !manager->GetPaintWindow()) {
            // Off-screen use: the window attributes still describe the size.
            for (int i = 0; i < root.AttributeCount(); ++i)
                manager->SetWindowAttribute(root.AttributeName(i), root.AttributeValue(i));
        }
    }
    CSkinXmlNode first = EqualsNoCase(root.Name(), L"Window") ? root.FirstChild() : root;
    return Parse(first, parent, manager);
}

CControlUI* CSkinBuilder::Parse(const CSkinXmlNode& first, CControlUI* parent, CControlManagerUI* manager) {
    CControlUI* result = nullptr;
    for (CSkinXmlNode node = first; node.IsValid(); node = node.NextSibling()) {
        const wchar_t* cls = node.Name();
        if (EqualsNoCase(cls, L"Font") || EqualsNoCase(cls, L"Image") || EqualsNoCase(cls, L"Default") ||
            EqualsNoCase(cls, L"MultiLanguage"))
            continue;
        if (EqualsNoCase(cls, L"Include")) {
            const wchar_t* src = node.Attribute(L"source");
            const wchar_t* cnt = node.Attribute(L"count");
            int count = cnt ? (int)ParseLong(cnt) : 1;
            if (!src) continue;
            for (int i = 0; i < count; ++i) {
                CSkinBuilder sub;
                CControlUI* c = sub.Create(src, m_pCallback, manager, parent);
                if (!result) result = c;
            }
            continue;
        }
        CControlUI* control = CreateBuiltinControl(cls);
        if (!control && m_pCallback) control = m_pCallback->MakeCustomControl(cls);
        if (!control) continue;  // unknown element: skipped with its children

        if (node.FirstChild().IsValid()) Parse(node.FirstChild(), control, manager);

        if (parent) {
            IContainerUI* container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
            const wchar_t* cover = node.Attribute(L"cover");
            bool added = false;
            if (container && !(cover && std::wstring(cover) == L"true")) added = container->Add(control);
            if (!added) {
                control->Delete();
                continue;
            }
        }
        if (manager) {
            control->SetManager(manager, nullptr, false);
            const std::wstring* defaults = manager->GetDefaultAttributeList(control->GetClass());
            if (defaults) control->ApplyAttributeList(*defaults);
        }
        for (int i = 0; i < node.AttributeCount(); ++i)
            control->SetAttribute(node.AttributeName(i), node.AttributeValue(i));
        if (manager) control->SetManager(nullptr, nullptr, false);
        if (!result) result = control;
    }
    return result;
}

}  // namespace SkinUI
