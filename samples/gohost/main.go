// A host in Go, through Go's syscall package alone: it loads a skin through KorvoSkin.dll's C
// interface (korvoskin.h), skins a window of its own by its handle, and reads a string and a
// colour of the skin. It prints what it did and exits with 0 when every call gave what it should.
package main

import (
	"fmt"
	"os"
	"runtime"
	"syscall"
	"unsafe"
)

// Windows belong to the thread that makes them, and the library to the thread that initialised
// it: the host keeps to one.
func init() { runtime.LockOSThread() }

var (
	skin     = syscall.NewLazyDLL("KorvoSkin.dll")
	user32   = syscall.NewLazyDLL("user32.dll")
	kernel32 = syscall.NewLazyDLL("kernel32.dll")

	skinInit        = skin.NewProc("KorvoSkin_Init")
	skinUninit      = skin.NewProc("KorvoSkin_Uninit")
	skinLoadSkin    = skin.NewProc("KorvoSkin_LoadSkin")
	skinSkinWindow  = skin.NewProc("KorvoSkin_SkinWindow")
	skinGetString   = skin.NewProc("KorvoSkin_GetString")
	skinGetColour   = skin.NewProc("KorvoSkin_GetColour")
	skinErrorText   = skin.NewProc("KorvoSkin_ErrorText")
	registerClassEx = user32.NewProc("RegisterClassExW")
	createWindowEx  = user32.NewProc("CreateWindowExW")
	defWindowProc   = user32.NewProc("DefWindowProcW")
	destroyWindow   = user32.NewProc("DestroyWindow")
	getWindowLong   = user32.NewProc("GetWindowLongW")
	getModuleHandle = kernel32.NewProc("GetModuleHandleW")
)

const (
	wsOverlappedWindow = 0x00CF0000
	wsCaption          = 0x00C00000
	gwlStyle           = ^uintptr(15) // GWL_STYLE, -16
	clrInvalid         = 0xFFFFFFFF
	idsTitle           = 3001
)

type wndClassEx struct {
	size       uint32
	style      uint32
	wndProc    uintptr
	clsExtra   int32
	wndExtra   int32
	instance   uintptr
	icon       uintptr
	cursor     uintptr
	background uintptr
	menuName   *uint16
	className  *uint16
	iconSm     uintptr
}

func text(s string) uintptr {
	p, _ := syscall.UTF16PtrFromString(s)
	return uintptr(unsafe.Pointer(p))
}

// The result of a call that returns one of the library's int codes.
func code(r uintptr) int32 { return int32(r) }

func describe(c int32) string {
	r, _, _ := skinErrorText.Call(uintptr(c))
	var chars []uint16
	for p := r; ; p += 2 {
		ch := *(*uint16)(unsafe.Pointer(p))
		if ch == 0 {
			break
		}
		chars = append(chars, ch)
	}
	return syscall.UTF16ToString(chars)
}

func createWindow() uintptr {
	instance, _, _ := getModuleHandle.Call(0)
	wc := wndClassEx{wndProc: syscall.NewCallback(func(hwnd, msg, wparam, lparam uintptr) uintptr {
		r, _, _ := defWindowProc.Call(hwnd, msg, wparam, lparam)
		return r
	}), instance: instance}
	wc.size = uint32(unsafe.Sizeof(wc))
	wc.className, _ = syscall.UTF16PtrFromString("KorvoSkinGoHost")
	registerClassEx.Call(uintptr(unsafe.Pointer(&wc)))
	hwnd, _, _ := createWindowEx.Call(0, text("KorvoSkinGoHost"), text("Go host"), wsOverlappedWindow,
		40, 40, 400, 300, 0, 0, instance, 0)
	return hwnd
}

func run() error {
	if c := code(must(skinInit.Call())); c != 0 {
		return fmt.Errorf("KorvoSkin_Init: %s", describe(c))
	}
	defer skinUninit.Call()
	if c := code(must(skinLoadSkin.Call(text(`Skins\Aurora.xml`), text("")))); c != 0 {
		return fmt.Errorf("KorvoSkin_LoadSkin: %s", describe(c))
	}
	hwnd := createWindow()
	if hwnd == 0 {
		return fmt.Errorf("no window")
	}
	defer destroyWindow.Call(hwnd)
	if c := code(must(skinSkinWindow.Call(hwnd, text("Main")))); c != 0 {
		return fmt.Errorf("KorvoSkin_SkinWindow: %s", describe(c))
	}
	style, _, _ := getWindowLong.Call(hwnd, gwlStyle)
	if uint32(style)&wsCaption == wsCaption {
		return fmt.Errorf("the window kept the system caption")
	}
	fmt.Println("window skinned by handle")

	// The length first, then the text into a buffer that holds it.
	length := code(must(skinGetString.Call(idsTitle, 0, 0)))
	if length < 0 {
		return fmt.Errorf("KorvoSkin_GetString: %s", describe(length))
	}
	buffer := make([]uint16, length+1)
	if code(must(skinGetString.Call(idsTitle, uintptr(unsafe.Pointer(&buffer[0])), uintptr(len(buffer))))) != length {
		return fmt.Errorf("KorvoSkin_GetString gave another length")
	}
	fmt.Printf("string %d: %q\n", idsTitle, syscall.UTF16ToString(buffer))

	colour := uint32(must(skinGetColour.Call(text("dialog.back"))))
	if colour == clrInvalid {
		return fmt.Errorf("KorvoSkin_GetColour: no dialog.back")
	}
	fmt.Printf("dialog.back: #%02X%02X%02X\n", colour&0xFF, colour>>8&0xFF, colour>>16&0xFF)
	return nil
}

// The first result of a Proc's Call (whose error is GetLastError's, not the library's).
func must(r1, _ uintptr, _ error) uintptr { return r1 }

func main() {
	if err := skin.Load(); err != nil {
		fmt.Println("FAIL", err)
		os.Exit(1)
	}
	if err := run(); err != nil {
		fmt.Println("FAIL", err)
		os.Exit(1)
	}
	fmt.Println("ok")
}
