#include "ui/Unit5.h"

#include "ui/DefaultItemDrawing.h"
#include "ui/DialogControls.h"
#include "widgets/QtColor.h"
#include "widgets/TXPCollapsePanel.h"
#include "widgets/TXPListBox.h"

TForm5* Form5 = nullptr;

TForm5::TForm5() : TForm(tr("О BMP файле"), 170, 159, clActiveCaption) {
    XPCollapsePanel1 = MakeDialogPanel(Client(), 170, 161);

    XPListBox1 = new TXPListBox(XPCollapsePanel1);
    XPListBox1->setGeometry(8, 0, 153, 153);
    XPListBox1->setItemDelegate(new DefaultItemDrawing(XPListBox1, 16));
    XPListBox1->setUniformItemSizes(true);
    QFont face(QStringLiteral("Arial"));
    face.setPixelSize(13);
    face.setBold(true);
    XPListBox1->setFont(face);
    QPalette colours = XPListBox1->palette();
    colours.setColor(QPalette::Base, ToQColor(clCaptionText));
    colours.setColor(QPalette::Text, ToQColor(clRed));
    XPListBox1->setPalette(colours);
    XPListBox1->viewport()->setCursor(Qt::PointingHandCursor);
    XPListBox1->setCursor(Qt::PointingHandCursor);
    XPListBox1->setAccessibleName(tr("Сведения о BMP файле"));
    SetDialogKeys(nullptr);
}
