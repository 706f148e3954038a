// The permission panel below the package facts: a virtual report list without header
// whose rows (bold titles with a warning icon, then their descriptions line by line) are
// drawn one by one from the rows kept here. The list control knows only how many there are.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "DisplayScale.h"
#include "GdiPlusObjects.h"
#include "PermissionRows.h"
#include "UserObjects.h"

inline constexpr int IDC_PERMISSION_LIST = 1005;

class CPermissionPanel {
public:
    // The list control's place in the window and its one column, at 96 dpi.
    static constexpr int kListX = 8;
    static constexpr int kListY = 170;
    static constexpr int kListWidth = 371;
    static constexpr int kListHeight = 158;
    static constexpr int kColumnWidth = 350;
    static constexpr int kRowHeight = 22;

    CPermissionPanel() = default;
    CPermissionPanel(const CPermissionPanel&) = delete;
    CPermissionPanel& operator=(const CPermissionPanel&) = delete;

    // The 1-pixel-wide image list whose height gives the list its row height.
    void CreateRowImageList(const DisplayScale& scale);
    // The list control, a child of the window, below the collapsed window's bottom edge.
    void CreateListControl(HWND parent, const DisplayScale& scale);
    // The list's place, row height and column in a new scale, its rows measured again.
    void ApplyScale(const DisplayScale& scale);

    // Rebuilds the entries and rows from the package's permission names. While it runs,
    // no row is drawn.
    void BuildPermissionList(const std::vector<std::wstring>& names);

    // Custom drawing of the list (NM_CUSTOMDRAW from IDC_PERMISSION_LIST); the result for
    // the notification. The warning image is the window's.
    LRESULT OnCustomDraw(const NMLVCUSTOMDRAW& draw, const CGdipImage& warning) const;

    HWND ListWindow() const { return m_hPermissionList; }
    std::size_t RowCount() const { return m_rows.size(); }

private:
    // Title, description and level of one permission; false when the library does not know
    // the permission or its group.
    static bool TranslateOnePermission(const std::wstring& name, PermissionEntry& entry);
    void BuildPermissionRows();
    void DrawPermissionRow(const NMLVCUSTOMDRAW& draw, const CGdipImage& warning) const;

    void PlaceListControl() const;

    DisplayScale m_scale;
    HWND m_hPermissionList = nullptr;  // destroyed with its parent window
    CScopedImageList m_hRowImageList;
    BOOL m_bBuildingList = FALSE;
    std::vector<PermissionEntry> m_entries;
    std::vector<PermissionRow> m_rows;
};
