#include "VolumeDialog.h"

#include "ChannelSlider.h"
#include "DialogUnits.h"
#include "Resources.h"

#include <QLabel>

const QString CVolumeDialog::kLabelText = QStringLiteral("L  R");

namespace {

const QString kChannelBitmap = QStringLiteral(":/images/IDB_VOLUME_CHANNEL.png");
const QString kActiveChannelBitmap = QStringLiteral(":/images/IDB_VOLUME_CHANNEL_ACTIVE.png");
constexpr int kFontPoints = 8;
// The template's size, in dialog units.
constexpr int kWidthUnits = 30;
constexpr int kHeightUnits = 101;
// Space between the channels' lower end and the label.
constexpr int kLabelGap = 2;

}  // namespace

CVolumeDialog::CVolumeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    velmora::initResources();
    setObjectName(QStringLiteral("volumePopup"));
    QFont small = font();
    small.setPointSize(kFontPoints);
    setFont(small);
    const DialogUnits du(small);
    resize(du.toPixelsX(kWidthUnits), du.toPixelsY(kHeightUnits));

    left_ = new CChannelSlider(kLeftSliderId, this);
    right_ = new CChannelSlider(kRightSliderId, this);
    left_->move(du.toPixels(5, 4, 7, 73).topLeft());
    right_->move(du.toPixels(17, 4, 7, 73).topLeft());
    for (CChannelSlider* slider : {left_, right_}) {
        // The transparent colour is the channel picture's top-left pixel.
        slider->SetChannelBitmaps(kChannelBitmap, kActiveChannelBitmap, true, std::nullopt,
                                  QPoint(0, 0));
        slider->SetVertical(true);
        slider->SetRange(volume_.minimum(), volume_.maximum(), false);
        connect(slider, &CChannelSlider::dragged, this,
                [this](int id, int) { onSliderNotification(id); });
        connect(slider, &CChannelSlider::released, this,
                [this](int id, int) { onSliderNotification(id); });
    }

    // Straight on the pop-up's background in black. It sits right under the channels, so
    // that it shows inside the 130-pixel pop-up the view opens.
    label_ = new QLabel(kLabelText, this);
    label_->setObjectName(QStringLiteral("label%1").arg(kLabelId));
    QPalette labelPalette = label_->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::black);
    label_->setPalette(labelPalette);
    const QRect labelRect = du.toPixels(7, 78, 17, 8);
    label_->setGeometry(labelRect.x(), left_->geometry().bottom() + 1 + kLabelGap,
                        labelRect.width(), labelRect.height());

    volume_.Open();
    readVolumes();
}

CVolumeDialog::~CVolumeDialog() = default;

bool CVolumeDialog::readVolumes()
{
    int left = -1, right = -1;
    if (volume_.GetValues(left, right) != 1)
        return false;
    left_->SetPosition(left);
    right_->SetPosition(right);
    return true;
}

void CVolumeDialog::onSliderNotification(int controlId)
{
    if (controlId != kLeftSliderId && controlId != kRightSliderId)
        return;
    volume_.SetValues(left_->position(), right_->position());
}
