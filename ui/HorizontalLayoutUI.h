// Places its children horizontally, fixed sizes first, the rest shared out.
#pragma once

#include "ui/ContainerUI.h"

namespace SkinUI {

class CHorizontalLayoutUI : public CContainerUI {
public:
    const wchar_t* GetClass() const override;
    void* GetInterface(const wchar_t* name) override;

protected:
    void PlaceChildren(const UiRect& rc) override;
};

}  // namespace SkinUI
