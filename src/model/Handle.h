#pragma once

// The grab squares a designer drags to resize a control, named by the edge each one moves: Left
// and Right change the width, Lower and Upper the height. None is a point on no handle. A control
// keeps and hit-tests its handles in this order.
enum class Handle { None, Left, Right, Lower, Upper };
