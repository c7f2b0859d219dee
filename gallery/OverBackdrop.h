#pragma once
// A wizard page shown over the backdrop where the wizard places it, for the gallery's
// pages of the wizard: prepare (may be null) sets the page into the state to show.
#include <windows.h>

#include "core/wizard_steps.h"
#include "gallery/Gallery.h"
#include "setup/Main.h"

template <class Page>
void OverBackdrop(void (*prepare)(Page&)) {
  TInstaller backdrop;
  SetMainWindow(backdrop.Handle());
  backdrop.Show();
  Page page;
  const SIZE size = page.OuterSize();
  const auto place = corvan::PlacePage(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.cx, size.cy);
  page.MoveTo(place.left, place.top);
  page.Show();
  if (prepare) prepare(page);
  RunGalleryLoop();
  SetMainWindow(nullptr);
}
