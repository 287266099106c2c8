#include "ui/ui_menu.h"

#include "foundation/sjis_literal.h"

namespace {

const CUiMenuItem* FindIn(const std::vector<CUiMenuItem>& items, int32_t id, bool enabledOnly)
{
    for (const CUiMenuItem& item : items) {
        if (enabledOnly && !item.enabled)
            continue;
        if (!item.separator && item.id == id && item.items.empty())
            return &item;
        if (const CUiMenuItem* found = FindIn(item.items, id, enabledOnly))
            return found;
    }
    return nullptr;
}

CUiMenuItem Item(const char* text)
{
    CUiMenuItem item;
    item.text = text;
    return item;
}

}  // namespace

const CUiMenuItem* CUiMenu::Find(int32_t id) const { return FindIn(items, id, false); }

bool CUiMenu::IsChoosable(int32_t id) const { return id != 0 && FindIn(items, id, true) != nullptr; }

CUiMenu UiStandardSystemMenu()
{
    CUiMenu menu;
    menu.items.push_back(Item(SJ("元のサイズに戻す(&R)")));
    menu.items.push_back(Item(SJ("移動(&M)")));
    menu.items.push_back(Item(SJ("サイズ変更(&S)")));
    menu.items.push_back(Item(SJ("最小化(&N)")));
    menu.items.push_back(Item(SJ("最大化(&X)")));
    CUiMenuItem separator;
    separator.separator = true;
    menu.items.push_back(separator);
    menu.items.push_back(Item(SJ("閉じる(&C)")));
    return menu;
}
