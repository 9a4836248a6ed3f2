#pragma once

#include "palettes/Colours.h"
#include "palettes/GroupEntries.h"
#include "palettes/ValuePanel.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"

#include <array>
#include <vector>

namespace palettes {

// The palette group editor: the group's entries in a grid, and under it the value panel for the
// clicked entry and channel (a slider, an RGB or CMY colour, or the pan/tilt pad). Every Add,
// Update and Delete stores the whole group at once.
class Form3_2_2 : public platform::Form {
public:
    static constexpr const char* Name = "Form3_2_2";
    Form3_2_2();

    static constexpr int CompactHeight = 6530;
    static constexpr int SliderPanelHeight = 8430;
    static constexpr int PicturePanelHeight = 9660;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void MSFlexGrid1_Click();
    void Combo1_Click();
    void Combo1_LostFocus();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void HScroll1_Change();
    void HScroll1_Scroll() { HScroll1_Change(); }
    void Picture1_MouseDown(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y) {
        Picture1_MouseDown(button, shift, x, y);
    }
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();

    int CurrentChannelColumn = FirstChannelColumn;
    ValuePanelMode PanelMode = ValuePanelMode::Slider;
    bool NumberRefocusPending = false;

    platform::Label* Label3; // the band
    platform::Label* Label1; // the link
    platform::Label* Label2;
    platform::Label* Label4;
    platform::Label* Label13;
    platform::Grid* MSFlexGrid1;
    platform::CommandButton* Command2;
    platform::TextBox* Text1;
    platform::ComboBox* Combo1;
    platform::CommandButton* Command4;
    platform::CommandButton* Command5;
    platform::Label* Label16;
    platform::HScrollBar* HScroll1;
    platform::TextBox* Text2;
    platform::Label* Label12;
    platform::PictureBox* Picture1;
    platform::Line* Line1;
    platform::Line* Line2;
    platform::Shape* Shape1;
    platform::Label* Label8;
    platform::Label* Label7;
    platform::Label* Label9;
    platform::TextBox* Text3;
    platform::Label* Label10;
    platform::TextBox* Text4;
    platform::Label* Label11;
    platform::TextBox* Text5;
    platform::CommandButton* Command3;
    platform::CommonDialog* CommonDialog1;

private:
    void wireRules();
    void fitGridToDesign();
    void setUpGrid();
    void loadNewGroup();
    void loadStoredGroup();
    void layOutColumns();
    void showSwatchColumn();
    void showEntry(int row);
    void highlight(int selectedRow);
    void layOutPanel();
    void loadRow(int row);
    void loadBoxes(const PanelLoad& load);
    void showPanel(int height);
    void collapse();
    StoredGroup saveGroup();
    void refuse(const EntryRefusal& refusal);
    GroupChannel currentChannel() const;
    QString currentLetter() const;
    PanelValues panelValues() const;
    ColourBoxes colourBoxes() const;
    // The box's number when it holds one from 0 to 255; a box corrected or refused gives none.
    std::optional<double> checkValueBox(platform::TextBox* box);
    platform::Control* controlOf(EntryControl control) const;
    void showColourPreview(ColourMix mix);
    void showPanTiltOrColour(platform::TextBox* box);
    void placeMarker(double pan, double tilt);
    void PickColour();
    std::vector<platform::Control*> panelControls() const;

    GroupEntries group_;
    bool newGroup_ = false;
    int selectedRow_ = 0;
};

} // namespace palettes
