#pragma once

namespace tarvelo {

// What a typing run types: the practice text, a lesson, or weak-key drills.
enum class RunMode
{
    Practice,
    Lesson,
    Drill, // weak-key drills; counted with practice in the progress figures
};

} // namespace tarvelo
