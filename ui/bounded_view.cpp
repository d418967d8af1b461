#include "ui/bounded_view.h"

namespace lumenpoll {

namespace {

std::string shown(const std::string& text) {
  return text.size() <= kMaxShownText ? text : text.substr(0, kMaxShownText);
}

}  // namespace

void BoundedView::SetCaption(const std::string& control, const std::string& text) {
  view_.SetCaption(control, shown(text));
}

void BoundedView::ClearItems(const std::string& control) {
  view_.ClearItems(control);
}

void BoundedView::AddItem(const std::string& control, const std::string& text) {
  view_.AddItem(control, shown(text));
}

void BoundedView::SetItemIndex(const std::string& control, int index) {
  view_.SetItemIndex(control, index);
}

void BoundedView::SetCell(int col, int row, const std::string& text) {
  view_.SetCell(col, row, shown(text));
}

void BoundedView::SetGridSelection(const GridRect& rect) {
  view_.SetGridSelection(rect);
}

void BoundedView::CloseWindow() {
  view_.CloseWindow();
}

}  // namespace lumenpoll
