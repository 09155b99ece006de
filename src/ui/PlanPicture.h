#pragma once

// The bay plan of the working condition as a picture, drawn as the editor
// draws it, for a file or a mail.

#include <QImage>

struct PlanData;
struct BayView;

// The plan on an image of width x height pixels, in the plan's colour and
// letter modes and its one-bay number.
QImage RenderPlanPicture(PlanData& plan, const BayView& view, int width, int height);
