// Every window of the program, created once at start. The main window opens
// the others through this table; a window that does not exist yet leaves its
// menu item and tool button present but disabled.
#pragma once

class QDialog;

namespace tevrane {

class TMainForm;

struct Windows {
    TMainForm* mainForm = nullptr;
    QDialog* drivAng = nullptr;    // TDrivAng
    QDialog* ovalDia = nullptr;    // TOvalDia
    QDialog* portDia = nullptr;    // TPortDia
    QDialog* refPnts = nullptr;    // TRefPnts
    QDialog* revPos = nullptr;     // TRevPos
    QDialog* setRevArm = nullptr;  // TSetRevArm
    QDialog* sineDia = nullptr;    // TSineDia
    QDialog* steamDia = nullptr;   // TSteamDia
    QDialog* stpAng = nullptr;     // TStpAng
    QDialog* aboutBox = nullptr;   // TAboutBox
    QDialog* inst = nullptr;       // TInst
    QDialog* tevSpInst = nullptr;  // TTevSpInst
    QDialog* frameDi = nullptr;    // TFrameDi
    QDialog* cylDimen = nullptr;   // TCylDimen
    QDialog* graphZoom = nullptr;  // TGraphZoom
    QDialog* drawLines = nullptr;  // TDrawLines
    QDialog* dataTable = nullptr;  // TDataTable
};

}  // namespace tevrane
