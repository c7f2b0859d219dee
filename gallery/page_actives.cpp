// Gallery page: the active controls in their states, on the pages' colour: tied labels
// and flat boxes (the focused one lights its label), the frames a box can have, memo and
// combo box, check boxes in their three states, radio buttons and two radio groups.
#include <memory>
#include <string>
#include <vector>

#include "core/colors.h"
#include "gallery/Gallery.h"
#include "toolkit/Actives.h"
#include "toolkit/Cliunit.h"

namespace {

class ActivesPage : public TMForm {
 public:
  ActivesPage()
      : TMForm({.name = L"GalleryActives", .left = 0, .top = 0, .width = 1000, .height = 560,
                .color = corvan::PageColor, .font = TFont(L"MS Sans Serif", -11, fsBold, corvan::clBlack)}) {
    SetBorderStyle(bsNone);
    AddBoxes();
    AddChoices();
    AddGroups();
    OnShow = [this](TControl&) { focused_->SetFocus(); };
  }

 private:
  template <class T, class... Args>
  T& Add(const TControlDesc& desc, Args&&... args) {
    auto control = std::make_unique<T>(this, desc, std::forward<Args>(args)...);
    T& ref = *control;
    owned_.push_back(std::move(control));
    return ref;
  }

  TActiveEdit& Box(int top, const wchar_t* label, const wchar_t* text) {
    auto& l = Add<TActiveLabel>({.left = 10, .top = top + 4, .width = 110, .height = 16, .caption = label});
    auto& box = Add<TActiveEdit>({.left = 120, .top = top, .width = 250, .height = 21, .color = corvan::clGrid,
                                  .caption = text});
    box.SetAssocLabel(&l);
    box.SetFlatStyle(true);
    box.SetBorderColor(corvan::cl3);
    box.SetBorderColorF(corvan::cl2);
    return box;
  }

  void AddBoxes() {
    Box(10, L"&Program:", L"C:\\CORVAN");
    focused_ = &Box(40, L"&Date: (focus)", L"C:\\CORVAN\\DATA");
    Box(70, L"&Dreapta:", L"1.234,56").SetAlignment(taRightJustify);
    Box(100, L"&Centru:", L"centrat").SetAlignment(taCenter);
    Box(130, L"P&arola:", L"secret").SetPasswordChar(L'*');
    Box(160, L"&Ridicat:", L"BevelOuter raised").SetBevelOuter(bvRaised);
    Box(190, L"C&oborat:", L"BevelOuter lowered").SetBevelOuter(bvLowered);
    TActiveEdit& platform = Box(220, L"&Sistem:", L"FlatStyle off");
    platform.SetFlatStyle(false);
    TActiveEdit& single = Box(250, L"&Simplu:", L"Ctl3D off");
    single.SetCtl3D(false);
    TActiveEdit& disabled = Box(280, L"&Inactiv:", L"disabled box");
    disabled.SetEnabled(false);
    disabled.AssocLabel()->SetEnabled(false);

    auto& lMemo = Add<TActiveLabel>({.left = 10, .top = 314, .width = 110, .height = 16, .caption = L"&Memo:"});
    auto& memo = Add<TActiveMemo>({.left = 120, .top = 310, .width = 250, .height = 44, .color = corvan::PageColor});
    memo.SetAssocLabel(&lMemo);
    memo.SetAlignment(taCenter);
    memo.SetReadOnly(true);
    memo.SetText(L"Utilizator: ADMIN\r\nParola: corvan");

    auto& lCombo = Add<TActiveLabel>({.left = 10, .top = 368, .width = 110, .height = 16, .caption = L"&Lista:"});
    auto& combo = Add<TActiveCombo>({.left = 120, .top = 364, .width = 250, .height = 21, .color = corvan::clGrid});
    combo.SetAssocLabel(&lCombo);
    combo.SetItems({L"Brasov", L"Bucuresti", L"Buzau"});
    combo.SetText(L"Bucuresti");
    combo.SetFlatStyle(true);
    combo.SetBorderStyle(bsSingle);
    combo.Frame().borderColor = corvan::cl3;
    combo.Frame().borderColorF = corvan::cl2;
    combo.AutoComplete = true;
    auto& lCombo2 = Add<TActiveLabel>({.left = 10, .top = 398, .width = 110, .height = 16, .caption = L"Lista &sistem:"});
    auto& combo2 = Add<TActiveCombo>({.left = 120, .top = 394, .width = 250, .height = 21});
    combo2.SetAssocLabel(&lCombo2);
    combo2.SetItems({L"unu", L"doi"});
    combo2.SetText(L"unu");

    auto& plain = Add<TActiveLabel>({.left = 10, .top = 430, .width = 360, .height = 16,
                                     .caption = L"Label without accelerator: & stays"});
    plain.SetShowAccelChar(false);
    auto& status = Add<TActiveLabel>({.left = 10, .top = 452, .width = 360, .height = 16,
                                      .caption = L"Copiez fisierele... (centred red status)"});
    status.Font().SetColor(corvan::Hex(0xFF0000));
    status.SetAlignment(taCenter);
  }

  void AddChoices() {
    struct Check {
      const wchar_t* caption;
      corvan::TCheckBoxState state;
      bool enabled;
      TAlignment alignment;
    };
    const Check checks[] = {
        {L"&Nebifat", corvan::cbUnchecked, true, taRightJustify}, {L"&Bifat", corvan::cbChecked, true, taRightJustify},
        {L"&Gri", corvan::cbGrayed, true, taRightJustify},        {L"&Inactiv", corvan::cbChecked, false, taRightJustify},
        {L"&Stanga", corvan::cbChecked, true, taLeftJustify},     {L"", corvan::cbChecked, true, taRightJustify},
    };
    int top = 10;
    for (const Check& c : checks) {
      auto& box = Add<TActiveCheckBox>({.left = 400, .top = top, .caption = c.caption});
      box.SetState(c.state);
      box.SetEnabled(c.enabled);
      box.SetAlignment(c.alignment);
      top += 22;
    }
    struct Radio {
      const wchar_t* caption;
      bool checked;
      bool enabled;
      TAlignment alignment;
    };
    const Radio radios[] = {{L"&Unu", false, true, taRightJustify},
                            {L"&Doi", true, true, taRightJustify},
                            {L"&Trei (inactiv)", false, false, taRightJustify},
                            {L"&Patru (stanga)", false, true, taLeftJustify}};
    top = 10;
    for (const Radio& r : radios) {
      auto& radio = Add<TMRadioButton>({.left = 560, .top = top, .caption = r.caption});
      radio.SetChecked(r.checked);
      radio.SetEnabled(r.enabled);
      radio.SetAlignment(r.alignment);
      top += 22;
    }
  }

  void AddGroups() {
    // The install-type group: 396 x 52, three rows at 0, 20 and 40, the third clipped.
    auto& itype = Add<TMRadioGroup>({.left = 400, .top = 160, .width = 396, .height = 52},
                                    std::vector<std::wstring>{
                                        L" &LOCAL     - programul va fi folosit numai pe acest calculator",
                                        L" &SERVER  - acest calculator va contine baza de date",
                                        L" CLIEN&T    - programul va folosi o baza de date aflata la distanta"});
    itype.SetItemIndex(2);
    auto& columns = Add<TMRadioGroup>({.left = 400, .top = 240, .width = 300, .height = 60, .color = corvan::cl3},
                                      std::vector<std::wstring>{L"&a unu", L"&b doi", L"&c trei", L"&d patru", L"&e cinci"},
                                      2);
    columns.SetItemIndex(3);
    auto& disabled = Add<TMRadioGroup>({.left = 400, .top = 320, .width = 300, .height = 40},
                                       std::vector<std::wstring>{L"inactiv unu", L"inactiv doi"}, 2);
    disabled.SetItemIndex(0);
    disabled.SetEnabled(false);
  }

  std::vector<std::unique_ptr<TControl>> owned_;
  TActiveEdit* focused_ = nullptr;
};

}  // namespace

GALLERY_PAGE(L"actives", [] { return std::unique_ptr<TMForm>(new ActivesPage); });
