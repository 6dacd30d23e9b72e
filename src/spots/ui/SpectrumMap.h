#pragma once
// SpectrumMap: the full-screen spectrum map. Eleven band rows from 160 m to 2 m, each a dark
// strip with its band line, five scale values under the line and the spots of that band
// standing on it, coloured by age, with the call, frequency and UTC time as tool tips. Shown
// modally and discarded when it closes; while it is open every stored spot redraws it. A right
// click on a spot tunes the radio, puts the call into the logging window's call field and
// closes the map; any other click takes the spot off both maps.

#include <QDialog>
#include <array>

#include "spots/SpectrumScales.h"

class QFrame;
class QLabel;
class Session;

namespace spots::ui {

class SpectrumMap : public QDialog {
    Q_OBJECT
public:
    explicit SpectrumMap(Session& session, QWidget* parent = nullptr);

    void Form_Load();
    // One display pass over the spot history.
    void BandMapLabelDisplay();
    // button: 2 = right.
    void lblDXSpot_MouseDown(int index, int button);

    std::array<QLabel*, kSpectrumRows> lblHFSpots{};
    std::array<QFrame*, kSpectrumRows> lineHF{};
    std::array<QLabel*, 5 * kSpectrumRows> lblFreqSpot{};
    std::array<QLabel*, SpotHistory::kSlots> lblDXSpot{};

    const SpectrumLayout& layoutTwips() const { return layout_; }
    double twipsPerPixel() const;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Form_Activate();
    void FitSpectrumMap();
    void SetSpectrumScales();
    void applyWindowGeometry();

    Session& session_;
    SpectrumLayout layout_;
    std::array<SpectrumScale, kSpectrumRows> scales_{};
};

// Registers the spot windows with the logging window's tool-window registry.
void RegisterSpotWindows();

}  // namespace spots::ui
