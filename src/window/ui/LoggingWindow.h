#pragma once
// The logging window: the program's main window, in its in-state (Infrm) and out-of-state
// (Outfrm) form. One class holds the controls, named as the operator's manual names them, and
// the handlers; Infrm and Outfrm only choose the profile. The code is split by concern:
//   LoggingWindow.cpp        controls, load and activation
//   LoggingWindowLayout.cpp  scaling, form size, taskbar, side lists
//   LoggingWindowMenus.cpp   the menu bar and its commands
//   LoggingWindowBands.cpp   band and mode switching, the rig hand-offs
//   LoggingWindowEntry.cpp   the entry line, the recent-contacts list, logging and scoring glue
//   LoggingWindowSpots.cpp   the spot panel: spot list, band map, their clicks and layout

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "window/FormDesign.h"
#include "window/FormGeometry.h"
#include "window/KeyRouter.h"
#include "window/LiveWindowFacade.h"
#include "window/MenuTable.h"
#include "window/StateTable.h"
#include "window/WindowKind.h"
#include "station/ui/WindowFrame.h"
#include "window/ui/EntryLineState.h"

class QAction;
class QCloseEvent;
class QKeyEvent;
class QShowEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class QTreeWidget;
class Session;

namespace window::ui {

class LoggingWindow : public QMainWindow, public window::LiveWindowApi, private window::KeyRouterHost {
    Q_OBJECT
public:
    LoggingWindow(Session& session, WindowKind kind, QWidget* parent = nullptr);
    ~LoggingWindow() override;

    Session& session() const { return session_; }
    const WindowProfile& profile() const { return profile_; }
    bool inState() const { return profile_.kind == WindowKind::InState; }

    // ---- load and activation
    void Form_Load();
    bool loaded() const { return loaded_; }

    // ---- layout and form size
    void ScaleFormToScreen();
    void FitFormToWorkArea();
    void SizeSideLists();
    void mnuFormSize_Click();
    void mnuTaskbar_Click();
    const FormGeometry& geometryTwips() const { return *geometry_; }
    const FormDesign& design() const { return design_; }

    // ---- band and mode
    void mnuBand160Ch_Click();
    void mnuBand80Ch_Click();
    void mnuBand40Ch_Click();
    void mnuBand20Ch_Click();
    void mnuBand15Ch_Click();
    void mnuBand10Ch_Click();
    void mnuBand6Ch_Click();
    void mnu160_Click();
    void mnuSSB_Click();
    void mnuDigital_Click();
    void Label24_Click();
    void Label30_Click();
    // Sets the own-county label; the in-state window also follows it with the CW county macro.
    void setLabel25(const std::string& caption);

    // ---- what rig control and spotting reach through Form1
    void BandFreqConversion(double frequencyValue) override;
    void ModeSelection(const std::string& strMode) override;
    void PacketResize(const std::string& spotSource, bool listChosen) override;
    void DisplayBandMapLabels() override;
    void BandMapSpots(const std::string& qDXSpotCall, const std::string& qDXSpotFreq,
                      const std::string& qDXSpotRecord) override;
    void SpotCallToCallField(const std::string& call) override;
    void FocusCallField() override;

    // ---- the spot panel (LoggingWindowSpots.cpp)
    void txtDX_Click();
    void txtDX_DblClick();
    void lblDX_Click();
    void lblDX_DblClick();
    void lblDXSpot_MouseMove(int index);
    // button: 2 = right, as the mouse-down event numbers it; any other value hides the spot.
    void lblDXSpot_MouseDown(int index, int button);

    // ---- what the keyers reach through Form1
    std::string CallText() const override;
    void SetCallText(const std::string& call) override;
    void SetDialogCaption(const std::string& caption) override;
    void SetDupeCaption(const std::string& caption) override;

    // ---- entry line, list and scoring (LoggingWindowEntry.cpp)
    void Mains() override;
    void RefreshFromLog();
    void ClearEntries() override;
    void ShowOperatingTime();
    void ShowQsoRate();
    void txtCall_Change();
    void txtCntry_Change();
    void cmdLogOn_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    // A click anywhere in the recent-contacts list, and the list losing the focus: with rows,
    // the Edit and Delete buttons show.
    void ListView1_Click();
    void ListView1_LostFocus();
    void cmdList_Click();
    void cmdDup_Click();
    void Command1_Click();
    void mnuPostContest_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    // false: recount from memory (band, mode and view changes); true: reload log.txt first.
    void RefreshFromLog(bool reloadFile);
    // Keys, focus and clicks of the entry fields, the lists and the grid; true when handled.
    bool entryLineEvent(QObject* watched, QEvent* e);
    void moveEntryFocus(logging::EntryField field);
    void txtCall_LostFocus();
    void PartialDupCheck(const std::string& callText, int key);
    void ClearDupeFlagAfterDelay();
    void LookupPrefix();
    void ShowScore();
    void BuildCountyLists();
    void ShowSectionsWorked();
    void ShowDXList();
    EntryLineState entry;

    // ---- closing and the log commands (LoggingWindowClose.cpp)
    // Asked before the window closes; refuses while CW is being sent.
    void Form_QueryUnload(bool& cancel);
    void Form_Unload();
    void Form_Terminate();
    void mnuExit_Click();
    void mnuNew_Click();
    void mnuArchive_Click();
    void mnuRestore_Click();
    void mnuCopyListtoClipboard_Click();

    // ---- keys (LoggingWindowKeys.cpp)
    KeyerPort& keyer();
    // The window sees every key before the focused field; true when the key goes no further.
    bool handleKey(QKeyEvent* e);

    // ---- menus (LoggingWindowMenus.cpp)
    QAction* menuItem(const std::string& name) const;
    const std::vector<MenuEntry>& menuTree() const { return menuTree_; }
    void mnuClear_Click();
    void mnuRecall_Click();
    void mnuListPrevious_Click();
    void mnuChangeCounty_Click();
    void mnuColors_Click();
    void mnuDXSpotting_Click();
    void mnuPrivileges_Click();
    void mnuexportADIF_Click();
    void mnuPendrakeImport_Click();

    // ---- controls
    QLineEdit* txtCall = nullptr;
    QLineEdit* txtRSTR = nullptr;
    QLineEdit* txtCntry = nullptr;
    QLineEdit* txtSec = nullptr;
    QLineEdit* txtRSTS = nullptr;
    QLineEdit* txtPostConDate = nullptr;
    QLineEdit* txtPostConTime = nullptr;
    std::array<QLabel*, 9> lblStation{};
    QLabel *lblPostConDate = nullptr, *lblPostConTime = nullptr;
    QLabel *lblDialog = nullptr, *lblDupe = nullptr, *lblPossDup = nullptr, *Label3 = nullptr;
    QLabel *Label19 = nullptr, *Label22 = nullptr, *Label23 = nullptr;
    QLabel *Label20 = nullptr, *Label17 = nullptr, *Label18 = nullptr;
    QLabel *Label2 = nullptr, *Label25 = nullptr, *Label24 = nullptr, *Label21 = nullptr;
    QLabel *Label30 = nullptr, *lblBandSwitch = nullptr;
    QLabel *lblCurTime = nullptr, *Label16 = nullptr, *lblutctime = nullptr, *lblttrack = nullptr;
    QLabel *Label11 = nullptr, *Label12 = nullptr;
    QLabel *lblAQSO60 = nullptr, *lblAQSO20 = nullptr, *Label9 = nullptr, *Label8 = nullptr;
    QLabel *lblTotCon = nullptr, *lblSectogo = nullptr, *lblTotSec = nullptr, *lblTotScore = nullptr;
    QLabel* lblsectogo = nullptr;  // the in-state window's name for the CW count
    QLabel *lblScorStats = nullptr, *Label15 = nullptr, *lblRecentContacts = nullptr;
    QPushButton *cmdLogOn = nullptr, *cmdEdit = nullptr, *cmdDelete = nullptr, *cmdList = nullptr;
    QPushButton *cmdDup = nullptr, *Command1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QListWidget *List1 = nullptr, *List2 = nullptr, *List3 = nullptr;  // List3: in-state only
    // In-state: elements 1..67, the grid. Out-of-state: element 0, a single static caption.
    std::array<QLabel*, 68> Label10{};
    std::array<QLabel*, 12> lblCallArea{};
    QLabel* lblDX = nullptr;
    QTreeWidget* txtDX = nullptr;
    std::array<QLabel*, 50> lblDXSpot{};
    std::array<QLabel*, 5> lblFreqSpot{};
    QFrame *Line1 = nullptr, *Line2 = nullptr, *Line3 = nullptr, *LineDX = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    window::StateTable StateTable;

    // The widget a design row stands for.
    QWidget* control(const std::string& name, int index = -1) const;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void Form_Activate();
    void Form_MouseMove();
    void Label25_Change();

private:
    void buildControls();
    void buildMenus();
    void applyGeometry();
    void applyWindowGeometry();
    void createColumns();
    void fillStateGrid();
    void restoreModeAndBand();
    void showStationCaptions();
    bool loadCountyTable();
    void AskContinueLog();
    void startRig();
    void AfterBandChange();
    void bandHandler(const std::string& band);
    void modeHandler(const std::string& mode);
    void checkBandItem(const std::string& band);
    void checkModeItem(const std::string& mode);
    void runMenuCommand(const MenuEntry& entry);
    void SetBandMapScale();
    void RefreshBandMap();
    void setupSpotPanel();
    bool bandMapShown() const;
    void applyControl(size_t index);
    void FillListView1();
    double twipsPerPixel() const;
    void installKeyFilter();
    // KeyRouterHost
    std::string CurrentMode() const override;
    void OpenTool(ToolWindow window, OpenWay way, bool normal) override;
    void SetStatusText(const std::string& text) override;
    void SetStatusLook(StatusLook look) override;

    Session& session_;
    const WindowProfile& profile_;
    FormDesign design_;
    std::unique_ptr<FormGeometry> geometry_;
    station::ui::FrameFit* frameFit_ = nullptr;
    std::vector<QWidget*> widgets_;  // one per design row
    std::vector<MenuEntry> menuTree_;
    std::map<std::string, QAction*> actions_;
    bool loaded_ = false;
    const QEvent* lastKey_ = nullptr;  // a key event the parents see again when a field ignores it
    quint64 lastKeyTime_ = 0;
    QPointer<QObject> lastKeyReceiver_;
};

}  // namespace window::ui
