#pragma once

#include "BalloonForm.h"
#include "Placement.h"

#include <QString>
#include <memory>
#include <span>

class QFrame;
class QKeyEvent;
class QLabel;
class TOfficeLabel;

namespace Ui {
class NapovedaDialog;
}

// One help topic: the link that chooses it, its caption (also the heading), its text and its note.
struct HelpTopic
{
    const char *link;
    QString caption;
    QString text;
    QString note;
};

// The help topics in the order of the list, from the top.
std::span<const HelpTopic> HelpTopics();

// The help window: a balloon above the assistant with two views, the list of topics and one
// topic's text with its note. It always opens on the list; Esc or "Opustit nápovědu" closes it.
class TNapovedaDialog : public TBalloonForm
{
    Q_OBJECT
public:
    TNapovedaDialog();
    ~TNapovedaDialog() override;

    QLabel *headingLabel = nullptr;
    QLabel *topicTextLabel = nullptr;
    QLabel *topicNoteLabel = nullptr;
    QLabel *noteCaption = nullptr; // "Informace"
    QWidget *topicList = nullptr; // the list of topics
    TOfficeLabel *topicListLink = nullptr; // back to the list
    TOfficeLabel *leaveHelpLink = nullptr; // leave the help

    // The list view: heading "Seznam témat nápovědy", the list over the last topic read.
    void ShowTopicList();
    // The topic view of HelpTopics()[index]: heading, text and note of the topic, list hidden.
    void ShowTopic(int index);

    // The link that chooses a topic.
    TOfficeLabel *topicLink(int index) const;

public slots:
    void backToTopicList();
    void leaveHelp();

private:
    void FormKeyDown(QKeyEvent *event) override;

    std::unique_ptr<Ui::NapovedaDialog> ui;
};

// The one help window; set as soon as its construction starts, null before and after.
TNapovedaDialog *NapovedaDialog();

// Opens the help window on its list of topics above the assistant: the help command of the main
// window and the welcome window's link do the same, each with its own placement row.
void OpenHelpTopics(PlacementCaller caller);
