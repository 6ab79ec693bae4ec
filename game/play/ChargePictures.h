// While the camera recharges after a photo, the next empty photo slot shows a bar filling
// up, in steps. Shared with the art generator that draws them.
#pragma once

constexpr int kChargeSteps = 8;
constexpr const char* kChargePictures[kChargeSteps] = {
    "Assets/UI/Charge1.png", "Assets/UI/Charge2.png", "Assets/UI/Charge3.png",
    "Assets/UI/Charge4.png", "Assets/UI/Charge5.png", "Assets/UI/Charge6.png",
    "Assets/UI/Charge7.png", "Assets/UI/Charge8.png"};
