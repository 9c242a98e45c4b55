/* The platform layer's public header: the window-system, drawing and kernel operations that the
 * library and the game rely on, with the names, argument orders and constant values they have
 * on the system the design was made for. Plain C; every function has C linkage. */
#ifndef PLATFORM_WIN32_H
#define PLATFORM_WIN32_H

#include <stddef.h>
#include <stdint.h>

#if defined(PLATFORM_BUILDING)
#define PLATFORM_API __attribute__((visibility("default")))
#else
#define PLATFORM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Basic types ---------------------------------------------------------------------- */

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int INT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef DWORD COLORREF; /* 0x00BBGGRR */
typedef const char *LPCSTR;

#define TRUE 1
#define FALSE 0

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)((c) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#define LOWORD(l) ((WORD)((uintptr_t)(l)&0xFFFF))
#define HIWORD(l) ((WORD)(((uintptr_t)(l) >> 16) & 0xFFFF))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)(((WORD)(lo)) | (((DWORD)(WORD)(hi)) << 16)))

/* Handles are distinct pointer types, so that a brush cannot be passed where a window goes. */
typedef void *HGDIOBJ;
typedef struct HDC__ *HDC;
typedef struct HBITMAP__ *HBITMAP;
typedef struct HBRUSH__ *HBRUSH;
typedef struct HPEN__ *HPEN;
typedef struct HFONT__ *HFONT;
typedef struct HPALETTE__ *HPALETTE;
typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef struct HMENU__ *HMENU;
typedef struct HCURSOR__ *HCURSOR;
typedef struct HICON__ *HICON;

/* ---- Records -------------------------------------------------------------------------- */

typedef struct tagPOINT {
    LONG x; /* pixels to the right of the left edge */
    LONG y; /* pixels below the top edge */
} POINT;

typedef struct tagSIZE {
    LONG cx; /* width in pixels */
    LONG cy; /* height in pixels */
} SIZE;

typedef struct tagRECT {
    LONG left, top, right, bottom; /* right and bottom are exclusive */
} RECT;

typedef struct tagRGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
} RGBQUAD;

typedef struct tagPALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
} PALETTEENTRY;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;          /* 40 */
    LONG biWidth;          /* pixels */
    LONG biHeight;         /* positive: rows bottom-up; negative: top-down */
    WORD biPlanes;         /* 1 */
    WORD biBitCount;       /* 8, 24 or 32 */
    DWORD biCompression;   /* BI_RGB */
    DWORD biSizeImage;     /* 0 for BI_RGB */
    LONG biXPelsPerMeter;  /* unused */
    LONG biYPelsPerMeter;  /* unused */
    DWORD biClrUsed;       /* 0: the full table for 8 bits */
    DWORD biClrImportant;  /* unused */
} BITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1]; /* the colour table follows the header */
} BITMAPINFO;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;

/* ---- Constants ------------------------------------------------------------------------ */

/* GetDeviceCaps */
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define RASTERCAPS 38
#define SIZEPALETTE 104
#define RC_PALETTE 0x0100

/* Bitmaps */
#define BI_RGB 0
#define DIB_RGB_COLORS 0

/* Raster operations */
#define SRCCOPY 0x00CC0020
#define PATCOPY 0x00F00021
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

/* Stock objects */
#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_PALETTE 15

/* Pens */
#define PS_SOLID 0
#define PS_NULL 5

/* Background modes */
#define TRANSPARENT 1
#define OPAQUE 2

/* Fonts */
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SHIFTJIS_CHARSET 128
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define NONANTIALIASED_QUALITY 3
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0

/* Message boxes */
#define MB_OK 0x00000000
#define MB_ICONERROR 0x00000010
#define MB_ICONWARNING 0x00000030
#define MB_ICONEXCLAMATION MB_ICONWARNING
#define MB_ICONINFORMATION 0x00000040
#define IDOK 1

/* Window class styles */
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_BYTEALIGNCLIENT 0x1000

/* Window styles */
#define WS_OVERLAPPED 0x00000000
#define WS_CAPTION 0x00C00000
#define WS_SYSMENU 0x00080000
#define WS_THICKFRAME 0x00040000
#define WS_MINIMIZEBOX 0x00020000
#define WS_MAXIMIZEBOX 0x00010000
#define WS_VISIBLE 0x10000000
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define CW_USEDEFAULT ((int)0x80000000)

/* ShowWindow */
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

/* Messages */
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_ACTIVATEAPP 0x001C
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_COMMAND 0x0111
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_QUERYNEWPALETTE 0x030F
#define WM_PALETTECHANGED 0x0311

/* PeekMessage */
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

/* Virtual keys */
#define VK_BACK 0x08
#define VK_RETURN 0x0D
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28

/* Resources */
#define MAKEINTRESOURCEA(i) ((LPCSTR)(uintptr_t)(WORD)(i))
#define IDC_ARROW MAKEINTRESOURCEA(32512)

/* ---- KERNEL --------------------------------------------------------------------------- */

/* (number * numerator) / denominator from a 64-bit product, rounded to nearest with halves
 * away from zero; -1 when the denominator is 0 or the result does not fit in 32 bits. */
PLATFORM_API int MulDiv(int number, int numerator, int denominator);
/* Milliseconds since the platform started, from the platform's time source; wraps at 2^32. */
PLATFORM_API DWORD GetTickCount(void);

/* ---- GDI: device contexts and capabilities -------------------------------------------- */

PLATFORM_API HDC GetDC(HWND window); /* null: the whole screen */
PLATFORM_API int ReleaseDC(HWND window, HDC dc);
PLATFORM_API int GetDeviceCaps(HDC dc, int index);
PLATFORM_API HDC CreateCompatibleDC(HDC dc);
PLATFORM_API BOOL DeleteDC(HDC dc);
PLATFORM_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
PLATFORM_API BOOL DeleteObject(HGDIOBJ object);
PLATFORM_API HGDIOBJ GetStockObject(int index);
PLATFORM_API BOOL GdiFlush(void);

/* ---- GDI: bitmaps, brushes, pens, palettes -------------------------------------------- */

PLATFORM_API HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO *info, UINT usage, void **bits,
                                      void *section, DWORD offset);
PLATFORM_API HBRUSH CreateSolidBrush(COLORREF color);
PLATFORM_API HPEN CreatePen(int style, int width, COLORREF color);
PLATFORM_API HPALETTE CreateHalftonePalette(HDC dc);
PLATFORM_API UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count,
                                    PALETTEENTRY *entries);
PLATFORM_API HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
PLATFORM_API UINT RealizePalette(HDC dc);

/* ---- GDI: drawing --------------------------------------------------------------------- */

PLATFORM_API BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
PLATFORM_API BOOL Polygon(HDC dc, const POINT *points, int count);
PLATFORM_API BOOL Polyline(HDC dc, const POINT *points, int count);
PLATFORM_API BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx,
                         int sy, DWORD rop);

/* ---- GDI: fonts and text -------------------------------------------------------------- */

PLATFORM_API HFONT CreateFontA(int height, int width, int escapement, int orientation,
                               int weight, DWORD italic, DWORD underline, DWORD strikeOut,
                               DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                               DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);
PLATFORM_API COLORREF SetTextColor(HDC dc, COLORREF color);
PLATFORM_API COLORREF GetTextColor(HDC dc);
PLATFORM_API COLORREF SetBkColor(HDC dc, COLORREF color);
PLATFORM_API COLORREF GetBkColor(HDC dc);
PLATFORM_API int SetBkMode(HDC dc, int mode);
PLATFORM_API int GetBkMode(HDC dc);
PLATFORM_API BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE *size);
PLATFORM_API BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

/* ---- USER: message boxes -------------------------------------------------------------- */

PLATFORM_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

/* ---- USER: windows, messages, painting ------------------------------------------------ */

PLATFORM_API WORD RegisterClassA(const WNDCLASSA *windowClass);
PLATFORM_API HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName,
                                  DWORD style, int x, int y, int width, int height,
                                  HWND parent, HMENU menu, HINSTANCE instance, void *param);
#define CreateWindowA(className, windowName, style, x, y, width, height, parent, menu, \
                      instance, param)                                               \
    CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu,  \
                    instance, param)
PLATFORM_API BOOL ShowWindow(HWND window, int command);
PLATFORM_API BOOL DestroyWindow(HWND window);
PLATFORM_API LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
PLATFORM_API BOOL PeekMessageA(MSG *msg, HWND window, UINT first, UINT last, UINT remove);
PLATFORM_API BOOL TranslateMessage(const MSG *msg);
PLATFORM_API LRESULT DispatchMessageA(const MSG *msg);
PLATFORM_API BOOL WaitMessage(void);
PLATFORM_API BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
PLATFORM_API LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
PLATFORM_API void PostQuitMessage(int exitCode);
PLATFORM_API BOOL InvalidateRect(HWND window, const RECT *rect, BOOL erase);
PLATFORM_API HDC BeginPaint(HWND window, PAINTSTRUCT *paint);
PLATFORM_API BOOL EndPaint(HWND window, const PAINTSTRUCT *paint);
PLATFORM_API BOOL GetClientRect(HWND window, RECT *rect);
PLATFORM_API HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
PLATFORM_API HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);

#ifdef __cplusplus
}
#endif

#endif /* PLATFORM_WIN32_H */
