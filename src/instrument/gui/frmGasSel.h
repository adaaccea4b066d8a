#pragma once
// The gas selection dialog: the user picks one of the gas-type choices 0 to 7 of a gas slot
// in the gas-type table. The caller sets GasNo, shows the dialog modally and then reads Flags
// (OK pressed) and SelNum (the choice, -1 for none). Applying the choice is the caller's job.
#include "platform/Types.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace mt52 {

class frmGasSel : public QDialog {
    Q_OBJECT

public:
    // Form_Load: the common font, Flags false, SelNum -1, the list of slot 0.
    explicit frmGasSel(QWidget* parent = nullptr);

    // Shows the dialog modally for a gas slot; true when it was closed with OK, with the
    // chosen choice in selNum (-1 when none was chosen).
    static bool ShowGasSel(QWidget* parent, Integer gasNo, Integer& selNum);

    bool Flags() const { return flags_; }
    void Flags(bool value) { flags_ = value; }
    Integer SelNum() const { return selNum_; }
    void SelNum(Integer value) { selNum_ = value; }
    Integer GasNo() const { return gasNo_; }
    // Stores the slot and lists its choices at once; a slot outside the gas-type table
    // raises the subscript error.
    void GasNo(Integer value);

    // The layout grid of the listed choices.
    int ChoicesPerLine() const { return perLine_; }
    int Lines() const { return lines_; }

    // Handlers.
    void optGasList_Click(int index);
    void cmdGasSel_Click(int index);
    void Form_Resize();

    QGroupBox* fraGasSel;
    std::array<QRadioButton*, 8> optGasList{};
    std::array<QPushButton*, 2> cmdGasSel{};

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FillGasList();

    bool flags_ = false;
    Integer selNum_ = -1;
    Integer gasNo_ = 0;
    int perLine_ = 0;
    int lines_ = 0;
    bool resizing_ = false;
};

}  // namespace mt52
