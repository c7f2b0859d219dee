// The small painted controls: title bars, panels and bevels, gauges, pictures, the
// dragging panel.
#include <windows.h>

#include "gallery/Gallery.h"
#include "toolkit/Cliunit.h"
#include "toolkit/GGlobals.h"
#include "toolkit/Paintpan.h"
#include "toolkit/Panels.h"
#include "toolkit/Title.h"
#include "toolkit/Transimg.h"

using namespace corvan;

namespace {
TFont Bold(int height = -11, TColor color = clBlack) { return TFont(L"MS Sans Serif", height, fsBold, color); }

class ControlsPage : public TTitleForm {
 public:
  ControlsPage()
      : TTitleForm({.name = L"Controls", .left = kGalleryLeft, .top = kGalleryTop, .color = PageColor,
                    .caption = L"Galerie: controale mici", .font = Bold()}) {
    SetBorderStyle(bsNone);
    SetBorderWidth(3);
    SetClientSize(760, 560);
    TitleBar1.SetStartColor(PageTitleColor);
    TitleBar1.SetEndColor(PageTitleColor);
    DialogBar.SetStartColor(Rgb(6, 81, 130));
    SearchBar.SetStartColor(Rgb(4, 47, 77));
    SearchBar.SetIconStyle(isSearch);
    GreyBar.SetStartColor(Rgb(6, 81, 130));
    GreyBar.SetGrayed(true);
    VerticalBar.SetStartColor(Rgb(6, 81, 130));
    VerticalBar.SetVertical(true);

    Lowered.SetBevelOuter(bvLowered);
    Raised.SetBevelOuter(bvRaised);
    Flat.SetBevelOuter(bvNone);
    Done.SetBevelOuter(bvRaised);
    Done.SetAlignment(taLeftJustify);
    Pending.SetBevelOuter(bvNone);
    Pending.SetAlignment(taRightJustify);
    const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine};
    for (int i = 0; i < 6; ++i) {
      Bevels[i].SetShape(shapes[i]);
      Bevels[i].SetStyle(i % 2 ? bsRaised : bsLowered);
    }
    for (TGauge* g : {&Gauge0, &Gauge37, &Gauge100}) {
      g->SetForeColor(Rgb(92, 105, 120));
      g->SetBackColor(Rgb(223, 223, 223));
      g->SetBorderSingle(false);
    }
    Gauge37.SetProgress(37);
    Gauge100.SetProgress(100);
    Warning.SetKindMare(mtWarning);
    Error.SetKindMare(mtError);
    Information.SetKindMare(mtInformation);
    Confirmation.SetKindMare(mtConfirmation);
    OkGlyph.SetKindMic(mkOK);
    Check.SetKindAlte(5);
    Stretched.SetAutoSize(false);
    Stretched.SetKindMare(mtError);
    Stretched.SetProportional(true);
    Stretched.SetCenter(true);
    Mover.SetBevelOuter(bvNone);
    Mover.Font().SetColor(clWhite);
  }

  TTitleBar TitleBar1{this, {.name = L"TitleBar1", .align = alTop, .caption = L"Galerie: controale mici",
                             .font = Bold(-13, clWhite)}};
  TTitleBar DialogBar{this, {.name = L"DialogBar", .left = 10, .top = 40, .width = 360, .caption = L"Bara cu degrade"}};
  TTitleBar SearchBar{this, {.name = L"SearchBar", .left = 10, .top = 70, .width = 360, .caption = L"isSearch: loc pentru pictograma"}};
  TTitleBar GreyBar{this, {.name = L"GreyBar", .left = 10, .top = 100, .width = 360, .caption = L"Bara gri (fereastra dezactivata)"}};
  TTitleBar VerticalBar{this, {.name = L"VerticalBar", .left = 380, .top = 40, .width = 60, .height = 85}};

  TPanel Lowered{this, {.name = L"Lowered", .left = 10, .top = 140, .width = 170, .height = 40, .parentColor = true, .caption = L"Panou coborat"}};
  TPanel Raised{this, {.name = L"Raised", .left = 190, .top = 140, .width = 170, .height = 40, .parentColor = true, .caption = L"Panou ridicat"}};
  TPanel Flat{this, {.name = L"Flat", .left = 370, .top = 140, .width = 170, .height = 40, .color = clGrid, .caption = L"Fara bordura"}};
  TPanel Pending{this, {.name = L"Pending", .left = 10, .top = 190, .width = 308, .height = 18, .parentColor = true, .caption = L" Configurare BDE"}};
  TPanel Done{this, {.name = L"Done", .left = 10, .top = 212, .width = 308, .height = 18, .parentColor = true, .caption = L" Creare grup",
                     .font = Bold(-11, Rgb(255, 0, 0))}};

  TBevel Bevels[6] = {
      {this, {.name = L"Box", .left = 460, .top = 40, .width = 40, .height = 40}},
      {this, {.name = L"Frame", .left = 510, .top = 40, .width = 40, .height = 40}},
      {this, {.name = L"TopLine", .left = 560, .top = 40, .width = 60, .height = 40}},
      {this, {.name = L"BottomLine", .left = 630, .top = 40, .width = 60, .height = 40}},
      {this, {.name = L"LeftLine", .left = 460, .top = 90, .width = 40, .height = 40}},
      {this, {.name = L"RightLine", .left = 510, .top = 90, .width = 40, .height = 40}},
  };

  TGauge Gauge0{this, {.name = L"Gauge0", .left = 10, .top = 250, .width = 199, .height = 19}};
  TGauge Gauge37{this, {.name = L"Gauge37", .left = 220, .top = 250, .width = 199, .height = 19}};
  TGauge Gauge100{this, {.name = L"Gauge100", .left = 430, .top = 250, .width = 199, .height = 19}};

  TTransImage Warning{this, {.name = L"Warning", .left = 10, .top = 290}};
  TTransImage Error{this, {.name = L"Error", .left = 110, .top = 290}};
  TTransImage Information{this, {.name = L"Information", .left = 210, .top = 290}};
  TTransImage Confirmation{this, {.name = L"Confirmation", .left = 310, .top = 290}};
  TTransImage OkGlyph{this, {.name = L"OkGlyph", .left = 410, .top = 290}};
  TTransImage Check{this, {.name = L"Check", .left = 510, .top = 290}};
  TTransImage Stretched{this, {.name = L"Stretched", .left = 10, .top = 360, .width = 200, .height = 60}};

  TMovePanel Mover{this, {.name = L"Mover", .left = 10, .top = 440, .width = 400, .height = 29, .color = Hex(0x084A8C),
                          .caption = L"Panou care muta fereastra (trage de el)"}};
};

const bool registered = RegisterGalleryPage(L"controls", L"title bars, panels, bevels, gauges, pictures", [] {
  ControlsPage page;
  page.Show();
  RunGalleryLoop();
});
}  // namespace
