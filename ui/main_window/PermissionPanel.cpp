#include "PermissionPanel.h"

#include "ApkInfo.h"
#include "GdiObjects.h"
#include "ImageDrawing.h"
#include "TextDrawing.h"
#include "UiFont.h"
#include "WindowStyle.h"

namespace flat = Gdiplus::DllExports;

namespace {

constexpr int kTitleBufferChars = 150;
constexpr int kDescriptionBufferChars = 250;
constexpr int kGroupBufferChars = 150;

// The rows' text: 12 pixels at 96 dpi, 20 pixels right of the row's left edge, where the
// warning icon sits 2 pixels in.
constexpr float kRowTextSize = 12.0f;
constexpr int kTextMargin = 20;
constexpr int kIconMargin = 2;

}  // namespace

void CPermissionPanel::CreateRowImageList(const DisplayScale& scale)
{
    m_scale = scale;
    // A report list's rows are one pixel higher than its small images (on Windows as in
    // Wine's list view), so the images are one pixel lower than the rows must be.
    m_hRowImageList.Reset(::ImageList_Create(1, scale.Px(kRowHeight) - 1, ILC_COLOR24, 0, 1));
}

void CPermissionPanel::CreateListControl(HWND parent, const DisplayScale& scale)
{
    m_scale = scale;
    // The image list stays ours (LVS_SHAREIMAGELISTS): the control must not destroy it too.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                        LVS_NOCOLUMNHEADER | LVS_SHAREIMAGELISTS;
    m_hPermissionList = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"SysListView32", style, scale.Px(kListX),
                                          scale.Px(kListY), scale.Px(kListWidth), scale.Px(kListHeight), parent,
                                          reinterpret_cast<HMENU>(INT_PTR(IDC_PERMISSION_LIST)),
                                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                                          nullptr);
    if (!m_hPermissionList) return;

    wchar_t columnText[] = L"permission";
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = scale.Px(kColumnWidth);
    column.pszText = columnText;
    ::SendMessageW(m_hPermissionList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    if (m_hRowImageList) {
        ::SendMessageW(m_hPermissionList, LVM_SETIMAGELIST, LVSIL_SMALL,
                       reinterpret_cast<LPARAM>(m_hRowImageList.Get()));
    }
    ::SendMessageW(m_hPermissionList, LVM_SETBKCOLOR, 0, LPARAM(RGB(0xFF, 0xFF, 0xFF)));
}

void CPermissionPanel::ApplyScale(const DisplayScale& scale)
{
    if (scale == m_scale) return;
    CreateRowImageList(scale);
    if (!m_hPermissionList) return;
    PlaceListControl();
    ::SendMessageW(m_hPermissionList, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(scale.Px(kColumnWidth), 0));
    // The list takes a new row height only from a new image list.
    ::SendMessageW(m_hPermissionList, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    if (m_hRowImageList) {
        ::SendMessageW(m_hPermissionList, LVM_SETIMAGELIST, LVSIL_SMALL,
                       reinterpret_cast<LPARAM>(m_hRowImageList.Get()));
    }
    BuildPermissionRows();
    ::InvalidateRect(m_hPermissionList, nullptr, TRUE);
}

void CPermissionPanel::PlaceListControl() const
{
    ::SetWindowPos(m_hPermissionList, nullptr, m_scale.Px(kListX), m_scale.Px(kListY), m_scale.Px(kListWidth),
                   m_scale.Px(kListHeight), SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CPermissionPanel::TranslateOnePermission(const std::wstring& name, PermissionEntry& entry)
{
    wchar_t title[kTitleBufferChars] = {};
    wchar_t description[kDescriptionBufferChars] = {};
    wchar_t group[kGroupBufferChars] = {};
    if (::TranslatePermission(name.c_str(), title, kTitleBufferChars, description, kDescriptionBufferChars, group,
                              kGroupBufferChars) != 0) {
        return false;
    }
    int level = 0;
    if (::TranslatePermissionGroup(group, nullptr, 0, &level) != 0) return false;

    // The buffers were zero-filled and the library keeps one terminator in each.
    title[kTitleBufferChars - 1] = description[kDescriptionBufferChars - 1] = L'\0';
    entry.title = title;
    entry.description = description;
    entry.level = level;
    return true;
}

void CPermissionPanel::BuildPermissionList(const std::vector<std::wstring>& names)
{
    m_bBuildingList = TRUE;
    m_entries.clear();
    for (const std::wstring& name : names) {
        PermissionEntry entry;
        if (TranslateOnePermission(name, entry) && entry.level >= kShownPermissionLevel) {
            m_entries.push_back(std::move(entry));
        }
    }
    SortPermissionEntries(m_entries);
    BuildPermissionRows();
    m_bBuildingList = FALSE;
}

void CPermissionPanel::BuildPermissionRows()
{
    HWND owner = m_hPermissionList ? ::GetParent(m_hPermissionList) : nullptr;
    CWindowDC dc(owner);
    CGdipGraphics graphics;
    if (dc) graphics.Record(flat::GdipCreateFromHDC(dc.Get(), graphics.Receive()));
    if (graphics) graphics.Record(flat::GdipSetTextRenderingHint(graphics.Get(), Gdiplus::TextRenderingHintAntiAlias));
    const CGdipFont font = CreateUiFont(m_scale.Size(kRowTextSize), Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    // One description row is measured in one line as wide as its text is drawn (the column
    // less the icon's margin), so that no row is cut off.
    const Gdiplus::RectF measureBox(0.0f, 0.0f, Gdiplus::REAL(m_scale.Px(kColumnWidth - kTextMargin)),
                                    Gdiplus::REAL(m_scale.Px(23)));
    const CGdipStringFormat format =
        CreateStringFormat(Gdiplus::StringFormatFlagsLineLimit | Gdiplus::StringFormatFlagsMeasureTrailingSpaces,
                           Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);

    const RowFitter fit = [&](const std::wstring& text) -> std::size_t {
        if (!graphics || !font || !format) return 0;
        Gdiplus::RectF bounds;
        INT fitted = 0, lines = 0;
        if (flat::GdipMeasureString(graphics.Get(), text.c_str(), INT(text.size()), font.Get(), &measureBox,
                                    format.Get(), &bounds, &fitted, &lines) != Gdiplus::Ok || fitted < 0) {
            return 0;
        }
        return std::size_t(fitted);
    };
    m_rows = ::BuildPermissionRows(m_entries, fit);

    if (m_hPermissionList) ::SendMessageW(m_hPermissionList, LVM_SETITEMCOUNT, WPARAM(m_rows.size()), 0);
}

LRESULT CPermissionPanel::OnCustomDraw(const NMLVCUSTOMDRAW& draw, const CGdipImage& warning) const
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        DrawPermissionRow(draw, warning);
        return CDRF_SKIPDEFAULT;
    default: return 0;
    }
}

void CPermissionPanel::DrawPermissionRow(const NMLVCUSTOMDRAW& draw, const CGdipImage& warning) const
{
    const DWORD_PTR index = draw.nmcd.dwItemSpec;
    if (m_bBuildingList || INT_PTR(index) < 0 || index >= m_rows.size()) return;
    const PermissionRow& row = m_rows[index];

    CGdipGraphics graphics;
    graphics.Record(flat::GdipCreateFromHDC(draw.nmcd.hdc, graphics.Receive()));
    if (!graphics) return;
    flat::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeHighQualityBicubic);
    flat::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeHighQuality);
    flat::GdipSetCompositingQuality(graphics.Get(), Gdiplus::CompositingQualityHighQuality);
    flat::GdipSetTextRenderingHint(graphics.Get(), Gdiplus::TextRenderingHintClearTypeGridFit);

    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    ::SendMessageW(m_hPermissionList, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds));
    const INT width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;

    CGdipSolidBrush white;
    white.Record(flat::GdipCreateSolidFill(kPermissionRowBackground, white.Receive()));
    if (white) graphics.Record(flat::GdipFillRectangleI(graphics.Get(), white.Get(), bounds.left, bounds.top, width, height));

    if (row.isTitle && warning) {
        UINT iconWidth = 0, iconHeight = 0;
        GetImageSize(warning, iconWidth, iconHeight);
        graphics.Record(flat::GdipDrawImageRectI(graphics.Get(), warning.Get(), bounds.left + m_scale.Px(kIconMargin),
                                                 bounds.top + (height - INT(iconHeight)) / 2, INT(iconWidth),
                                                 INT(iconHeight)));
    }

    const CGdipFont font = CreateUiFont(m_scale.Size(kRowTextSize),
                                        row.isTitle ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular,
                                        Gdiplus::UnitPixel);
    const CGdipStringFormat format =
        CreateStringFormat(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsLineLimit,
                           Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
    const INT margin = m_scale.Px(kTextMargin);
    const Gdiplus::RectF layout(Gdiplus::REAL(bounds.left + margin), Gdiplus::REAL(bounds.top),
                                Gdiplus::REAL(width - margin), Gdiplus::REAL(height));
    DrawTextIn(graphics, row.text, font, layout, kPermissionTextColour, format);
}
