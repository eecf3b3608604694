// Persistence of Vision Ray Tracer Scene Description File
// File: /tmp/tarvek-test-8QXnbe/Export/tarvek.pov
// Vers: 3.5
// Desc: tarvek
// Date: 12/10/26 18:00:00
// Auth: tarvek, 2026


//[Global]
 global_settings { 
//assumed_gamma 1 ambient_light rgb<1,1,1>
  max_trace_level 5
 }

//[Material Properties - Atoms]
#declare TXatom = texture {
   finish {
     diffuse 0.5
     ambient 0.25
     specular 0.5
     reflection 0.0
     roughness 0.005
   }
}

//[Material Properties - Bonds]
 #declare TXbond = texture {
   finish {
     diffuse 0.5
     ambient 0.25
     specular 0.5
     reflection 0.0
     roughness 0.005
     metallic }
}

//[Scene Background]
background { <1.0,1.0,1.0> }

//[Atoms]
sphere { <-9.845, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 5.74, 3.874 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 5.303, 4.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 4.266, 5.401 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 3.677, 5.798 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 2.391, 6.397 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 1.709, 6.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 0.301, 6.766 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -0.409, 6.741 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -1.801, 6.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -2.469, 6.228 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -3.709, 5.54 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -4.269, 5.103 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -5.236, 4.065 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -5.633, 3.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -6.601, 0.1 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -6.601, 0.1 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -6.233, 2.191 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -6.601, 0.1 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -6.428, 1.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -6.601, 0.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -6.601, 0.1 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -6.577, -0.609 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -6.306, -2.002 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -6.063, -2.669 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -5.375, -3.909 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -4.938, -4.469 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -3.901, -5.436 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, -3.312, -5.834 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, -2.026, -6.433 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, -1.344, -6.629 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 0.064, -6.802 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-11.076, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-12.306, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 0.774, -6.777 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 2.166, -6.506 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 2.833, -6.263 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-6.153, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-7.384, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-8.614, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-9.845, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 4.074, -5.576 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 4.634, -5.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-1.231, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-2.461, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-3.692, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-4.922, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 5.601, -4.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 5.998, -3.512 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 6.598, -2.227 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <3.692, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <2.461, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <1.231, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <0.0, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 6.793, -1.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 6.966, -0.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <8.614, 6.941, 0.573 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <7.384, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <6.153, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <4.922, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <12.306, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <11.076, 6.671, 1.966 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <9.845, 6.428, 2.633 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <19.673, 1.418, -0.17 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <19.673, -0.728, 0.831 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <19.673, 0.42, -1.24 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <19.673, 0.708, 1.11 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <19.673, -0.906, -0.621 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.822, -1.558, 1.605 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.822, 2.544, -0.308 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.822, -1.898, -1.171 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.822, 0.636, -2.353 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.822, 1.188, 2.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, -1.103, 2.863 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, -1.761, -2.502 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, -0.471, -3.104 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, 0.295, 3.134 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, 3.215, 0.849 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, 2.915, -1.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, 1.944, -2.634 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, -2.781, 1.063 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, 2.525, 2.094 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <18.335, -2.954, -0.35 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, -2.814, -3.084 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, -1.984, 3.682 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, 0.805, 4.224 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, -0.24, -4.284 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, 4.409, 0.701 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, 4.109, -1.738 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, 2.172, -3.815 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, 3.032, 3.185 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, -4.005, -0.935 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.576, -3.659, 1.885 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.37, 4.943, -0.602 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.37, -4.013, -2.343 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.37, 2.21, 4.329 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.37, -3.326, 3.253 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <17.37, 1.098, -4.727 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, -2.564, -4.23 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, -1.279, -4.829 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, -4.845, -0.115 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, -1.464, 4.734 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, 3.34, -3.932 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, -0.071, 5.004 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, -4.672, 1.293 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, 4.193, 3.016 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, 4.307, -2.894 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.774, 4.88, 1.775 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.72, 2.741, 5.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.72, 6.192, -0.756 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.72, 1.338, -5.962 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.72, -4.246, 4.112 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <16.72, -5.113, -2.953 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.961, 1.827, 6.322 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.96, -4.874, -4.18 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.96, 2.578, -6.113 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.961, -5.339, 3.505 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.961, 6.72, 0.377 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.96, -6.027, -2.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.961, 3.982, 5.317 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.96, 0.245, -6.567 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.96, -3.717, 5.244 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.96, 6.43, -1.982 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, 0.456, 5.963 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, 5.955, 1.57 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, -0.999, -5.888 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, -2.312, 5.425 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, 5.4, -2.955 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, -3.554, -4.696 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, 4.588, 4.036 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, 3.477, -5.017 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, -5.421, 2.091 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <15.867, -5.765, -0.708 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, 6.141, 2.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, -3.172, -5.539 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, -1.891, -6.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, -0.349, 6.42 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, -1.736, 6.151 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, 5.456, 3.713 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, 4.397, -4.914 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, 5.361, -3.881 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, -6.105, 1.466 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.773, -6.277, 0.063 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, 2.491, 6.657 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, 7.244, -0.151 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, 2.238, -6.775 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, 0.808, -7.053 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, -5.609, -4.061 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, -5.453, 4.241 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, 7.067, -1.597 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, -6.315, -2.787 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, -4.459, 5.306 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <14.695, 3.812, 6.041 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 2.846, -6.184 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 6.52, -2.245 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 6.87, 0.61 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 6.618, 1.906 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -3.894, -5.357 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -4.859, -4.456 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -1.287, -6.572 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 0.023, -6.733 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -6.253, -1.941 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -3.636, 5.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -2.481, 6.148 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 4.0, -5.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 5.962, -3.441 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -6.505, -0.645 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -6.155, 2.209 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, -5.597, 3.405 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 5.224, 4.421 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 4.258, 5.321 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 0.342, 6.697 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <13.537, 1.652, 6.536 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-19.673, 1.418, -0.17 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-19.673, -0.728, 0.831 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-19.673, 0.42, -1.24 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-19.673, 0.708, 1.11 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-19.673, -0.906, -0.621 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.822, -1.558, 1.605 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.822, 2.544, -0.308 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.822, -1.898, -1.171 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.822, 0.636, -2.353 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.822, 1.188, 2.138 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, -1.103, 2.863 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, -1.761, -2.502 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, -0.471, -3.104 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, 0.295, 3.134 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, 3.215, 0.849 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, 2.915, -1.593 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, 1.944, -2.634 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, -2.781, 1.063 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, 2.525, 2.094 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-18.335, -2.954, -0.35 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, -2.814, -3.084 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, -1.984, 3.682 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, 0.805, 4.224 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, -0.24, -4.284 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, 4.409, 0.701 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, 4.109, -1.738 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, 2.172, -3.815 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, 3.032, 3.185 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, -4.005, -0.935 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.576, -3.659, 1.885 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.37, 4.943, -0.602 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.37, -4.013, -2.343 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.37, 2.21, 4.329 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.37, -3.326, 3.254 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-17.37, 1.098, -4.727 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, -2.564, -4.23 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, -1.279, -4.829 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, -4.845, -0.115 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, -1.464, 4.734 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, 3.34, -3.932 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, -0.071, 5.004 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, -4.672, 1.293 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, 4.193, 3.016 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, 4.307, -2.894 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.774, 4.88, 1.775 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.72, 2.741, 5.47 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.72, 6.192, -0.756 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.72, 1.338, -5.962 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.72, -4.246, 4.112 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-16.72, -5.113, -2.953 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, 1.827, 6.322 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, -4.874, -4.18 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, 2.578, -6.113 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, -5.339, 3.505 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, 6.72, 0.377 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, -6.027, -2.101 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.96, 3.982, 5.317 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.961, 0.245, -6.567 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.96, -3.717, 5.244 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.96, 6.43, -1.982 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, 0.456, 5.963 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, 5.955, 1.57 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, -0.999, -5.888 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, -2.312, 5.425 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, 5.4, -2.955 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, -3.554, -4.696 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, 4.588, 4.036 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, 3.477, -5.017 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, -5.421, 2.091 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-15.867, -5.765, -0.708 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, 6.141, 2.477 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, -3.172, -5.539 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, -1.891, -6.136 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, -0.349, 6.42 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, -1.736, 6.151 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, 5.456, 3.713 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, 4.397, -4.914 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, 5.361, -3.881 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, -6.105, 1.466 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.773, -6.277, 0.063 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, 2.491, 6.657 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, 7.244, -0.151 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, 2.238, -6.775 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, 0.808, -7.053 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, -5.609, -4.061 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, -5.453, 4.241 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, 7.067, -1.597 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, -6.315, -2.787 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, -4.459, 5.306 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-14.695, 3.812, 6.041 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 2.846, -6.184 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 6.52, -2.245 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 6.87, 0.61 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 6.618, 1.906 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -3.894, -5.357 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -4.859, -4.456 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -1.287, -6.572 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 0.023, -6.733 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -6.253, -1.941 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -3.636, 5.508 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -2.481, 6.148 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 4.0, -5.544 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 5.962, -3.441 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -6.505, -0.645 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -6.155, 2.209 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, -5.597, 3.405 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 5.224, 4.421 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 4.258, 5.321 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 0.342, 6.697 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
sphere { <-13.537, 1.652, 6.536 >0.385 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}
//[Bonds]
union {
cylinder { <-9.845, 5.74, 3.874 >,  <-11.076, 5.303, 4.433 >  0.15 }
cylinder { <-9.845, 5.74, 3.874 >,  <-8.614, 5.303, 4.433 >  0.15 }
cylinder { <-9.845, 5.74, 3.874 >,  <-9.845, 6.428, 2.633 >  0.15 }
cylinder { <-11.076, 5.303, 4.433 >,  <-12.306, 5.74, 3.874 >  0.15 }
cylinder { <-11.076, 5.303, 4.433 >,  <-11.076, 4.266, 5.401 >  0.15 }
cylinder { <-12.306, 5.74, 3.874 >,  <-12.306, 6.428, 2.633 >  0.15 }
cylinder { <-12.306, 5.74, 3.874 >,  <-13.537, 5.224, 4.421 >  0.15 }
cylinder { <-4.922, 5.74, 3.874 >,  <-6.153, 5.303, 4.433 >  0.15 }
cylinder { <-4.922, 5.74, 3.874 >,  <-3.692, 5.303, 4.433 >  0.15 }
cylinder { <-4.922, 5.74, 3.874 >,  <-4.922, 6.428, 2.633 >  0.15 }
cylinder { <-6.153, 5.303, 4.433 >,  <-7.384, 5.74, 3.874 >  0.15 }
cylinder { <-6.153, 5.303, 4.433 >,  <-6.153, 4.266, 5.401 >  0.15 }
cylinder { <-7.384, 5.74, 3.874 >,  <-8.614, 5.303, 4.433 >  0.15 }
cylinder { <-7.384, 5.74, 3.874 >,  <-7.384, 6.428, 2.633 >  0.15 }
cylinder { <-8.614, 4.266, 5.401 >,  <-8.614, 5.303, 4.433 >  0.15 }
cylinder { <-8.614, 4.266, 5.401 >,  <-9.845, 3.677, 5.798 >  0.15 }
cylinder { <-8.614, 4.266, 5.401 >,  <-7.384, 3.677, 5.798 >  0.15 }
cylinder { <-9.845, 3.677, 5.798 >,  <-11.076, 4.266, 5.401 >  0.15 }
cylinder { <-9.845, 3.677, 5.798 >,  <-9.845, 2.391, 6.397 >  0.15 }
cylinder { <-11.076, 4.266, 5.401 >,  <-12.306, 3.677, 5.798 >  0.15 }
cylinder { <-12.306, 2.391, 6.397 >,  <-12.306, 3.677, 5.798 >  0.15 }
cylinder { <-12.306, 2.391, 6.397 >,  <-11.076, 1.709, 6.593 >  0.15 }
cylinder { <-12.306, 2.391, 6.397 >,  <-13.537, 1.652, 6.536 >  0.15 }
cylinder { <-12.306, 3.677, 5.798 >,  <-13.537, 4.258, 5.321 >  0.15 }
cylinder { <0.0, 5.74, 3.874 >,  <-1.231, 5.303, 4.433 >  0.15 }
cylinder { <0.0, 5.74, 3.874 >,  <1.231, 5.303, 4.433 >  0.15 }
cylinder { <0.0, 5.74, 3.874 >,  <0.0, 6.428, 2.633 >  0.15 }
cylinder { <-1.231, 5.303, 4.433 >,  <-2.461, 5.74, 3.874 >  0.15 }
cylinder { <-1.231, 5.303, 4.433 >,  <-1.231, 4.266, 5.401 >  0.15 }
cylinder { <-2.461, 5.74, 3.874 >,  <-3.692, 5.303, 4.433 >  0.15 }
cylinder { <-2.461, 5.74, 3.874 >,  <-2.461, 6.428, 2.633 >  0.15 }
cylinder { <-3.692, 4.266, 5.401 >,  <-3.692, 5.303, 4.433 >  0.15 }
cylinder { <-3.692, 4.266, 5.401 >,  <-4.922, 3.677, 5.798 >  0.15 }
cylinder { <-3.692, 4.266, 5.401 >,  <-2.461, 3.677, 5.798 >  0.15 }
cylinder { <-4.922, 3.677, 5.798 >,  <-6.153, 4.266, 5.401 >  0.15 }
cylinder { <-4.922, 3.677, 5.798 >,  <-4.922, 2.391, 6.397 >  0.15 }
cylinder { <-6.153, 4.266, 5.401 >,  <-7.384, 3.677, 5.798 >  0.15 }
cylinder { <-7.384, 2.391, 6.397 >,  <-7.384, 3.677, 5.798 >  0.15 }
cylinder { <-7.384, 2.391, 6.397 >,  <-8.614, 1.709, 6.593 >  0.15 }
cylinder { <-7.384, 2.391, 6.397 >,  <-6.153, 1.709, 6.593 >  0.15 }
cylinder { <-8.614, 1.709, 6.593 >,  <-9.845, 2.391, 6.397 >  0.15 }
cylinder { <-8.614, 1.709, 6.593 >,  <-8.614, 0.301, 6.766 >  0.15 }
cylinder { <-9.845, 2.391, 6.397 >,  <-11.076, 1.709, 6.593 >  0.15 }
cylinder { <-11.076, 0.301, 6.766 >,  <-11.076, 1.709, 6.593 >  0.15 }
cylinder { <-11.076, 0.301, 6.766 >,  <-12.306, -0.409, 6.741 >  0.15 }
cylinder { <-11.076, 0.301, 6.766 >,  <-9.845, -0.409, 6.741 >  0.15 }
cylinder { <-12.306, -0.409, 6.741 >,  <-12.306, -1.801, 6.47 >  0.15 }
cylinder { <-12.306, -0.409, 6.741 >,  <-13.537, 0.342, 6.697 >  0.15 }
cylinder { <4.922, 5.74, 3.874 >,  <3.692, 5.303, 4.433 >  0.15 }
cylinder { <4.922, 5.74, 3.874 >,  <6.153, 5.303, 4.433 >  0.15 }
cylinder { <4.922, 5.74, 3.874 >,  <4.922, 6.428, 2.633 >  0.15 }
cylinder { <3.692, 5.303, 4.433 >,  <2.461, 5.74, 3.874 >  0.15 }
cylinder { <3.692, 5.303, 4.433 >,  <3.692, 4.266, 5.401 >  0.15 }
cylinder { <2.461, 5.74, 3.874 >,  <1.231, 5.303, 4.433 >  0.15 }
cylinder { <2.461, 5.74, 3.874 >,  <2.461, 6.428, 2.633 >  0.15 }
cylinder { <1.231, 4.266, 5.401 >,  <1.231, 5.303, 4.433 >  0.15 }
cylinder { <1.231, 4.266, 5.401 >,  <0.0, 3.677, 5.798 >  0.15 }
cylinder { <1.231, 4.266, 5.401 >,  <2.461, 3.677, 5.798 >  0.15 }
cylinder { <0.0, 3.677, 5.798 >,  <-1.231, 4.266, 5.401 >  0.15 }
cylinder { <0.0, 3.677, 5.798 >,  <0.0, 2.391, 6.397 >  0.15 }
cylinder { <-1.231, 4.266, 5.401 >,  <-2.461, 3.677, 5.798 >  0.15 }
cylinder { <-2.461, 2.391, 6.397 >,  <-2.461, 3.677, 5.798 >  0.15 }
cylinder { <-2.461, 2.391, 6.397 >,  <-3.692, 1.709, 6.593 >  0.15 }
cylinder { <-2.461, 2.391, 6.397 >,  <-1.231, 1.709, 6.593 >  0.15 }
cylinder { <-3.692, 1.709, 6.593 >,  <-4.922, 2.391, 6.397 >  0.15 }
cylinder { <-3.692, 1.709, 6.593 >,  <-3.692, 0.301, 6.766 >  0.15 }
cylinder { <-4.922, 2.391, 6.397 >,  <-6.153, 1.709, 6.593 >  0.15 }
cylinder { <-6.153, 0.301, 6.766 >,  <-6.153, 1.709, 6.593 >  0.15 }
cylinder { <-6.153, 0.301, 6.766 >,  <-7.384, -0.409, 6.741 >  0.15 }
cylinder { <-6.153, 0.301, 6.766 >,  <-4.922, -0.409, 6.741 >  0.15 }
cylinder { <-7.384, -0.409, 6.741 >,  <-8.614, 0.301, 6.766 >  0.15 }
cylinder { <-7.384, -0.409, 6.741 >,  <-7.384, -1.801, 6.47 >  0.15 }
cylinder { <-8.614, 0.301, 6.766 >,  <-9.845, -0.409, 6.741 >  0.15 }
cylinder { <-9.845, -1.801, 6.47 >,  <-9.845, -0.409, 6.741 >  0.15 }
cylinder { <-9.845, -1.801, 6.47 >,  <-11.076, -2.469, 6.228 >  0.15 }
cylinder { <-9.845, -1.801, 6.47 >,  <-8.614, -2.469, 6.228 >  0.15 }
cylinder { <-11.076, -2.469, 6.228 >,  <-12.306, -1.801, 6.47 >  0.15 }
cylinder { <-11.076, -2.469, 6.228 >,  <-11.076, -3.709, 5.54 >  0.15 }
cylinder { <-12.306, -1.801, 6.47 >,  <-13.537, -2.481, 6.148 >  0.15 }
cylinder { <9.845, 5.74, 3.874 >,  <8.614, 5.303, 4.433 >  0.15 }
cylinder { <9.845, 5.74, 3.874 >,  <11.076, 5.303, 4.433 >  0.15 }
cylinder { <9.845, 5.74, 3.874 >,  <9.845, 6.428, 2.633 >  0.15 }
cylinder { <8.614, 5.303, 4.433 >,  <7.384, 5.74, 3.874 >  0.15 }
cylinder { <8.614, 5.303, 4.433 >,  <8.614, 4.266, 5.401 >  0.15 }
cylinder { <7.384, 5.74, 3.874 >,  <6.153, 5.303, 4.433 >  0.15 }
cylinder { <7.384, 5.74, 3.874 >,  <7.384, 6.428, 2.633 >  0.15 }
cylinder { <6.153, 4.266, 5.401 >,  <6.153, 5.303, 4.433 >  0.15 }
cylinder { <6.153, 4.266, 5.401 >,  <4.922, 3.677, 5.798 >  0.15 }
cylinder { <6.153, 4.266, 5.401 >,  <7.384, 3.677, 5.798 >  0.15 }
cylinder { <4.922, 3.677, 5.798 >,  <3.692, 4.266, 5.401 >  0.15 }
cylinder { <4.922, 3.677, 5.798 >,  <4.922, 2.391, 6.397 >  0.15 }
cylinder { <3.692, 4.266, 5.401 >,  <2.461, 3.677, 5.798 >  0.15 }
cylinder { <2.461, 2.391, 6.397 >,  <2.461, 3.677, 5.798 >  0.15 }
cylinder { <2.461, 2.391, 6.397 >,  <1.231, 1.709, 6.593 >  0.15 }
cylinder { <2.461, 2.391, 6.397 >,  <3.692, 1.709, 6.593 >  0.15 }
cylinder { <1.231, 1.709, 6.593 >,  <0.0, 2.391, 6.397 >  0.15 }
cylinder { <1.231, 1.709, 6.593 >,  <1.231, 0.301, 6.766 >  0.15 }
cylinder { <0.0, 2.391, 6.397 >,  <-1.231, 1.709, 6.593 >  0.15 }
cylinder { <-1.231, 0.301, 6.766 >,  <-1.231, 1.709, 6.593 >  0.15 }
cylinder { <-1.231, 0.301, 6.766 >,  <-2.461, -0.409, 6.741 >  0.15 }
cylinder { <-1.231, 0.301, 6.766 >,  <0.0, -0.409, 6.741 >  0.15 }
cylinder { <-2.461, -0.409, 6.741 >,  <-3.692, 0.301, 6.766 >  0.15 }
cylinder { <-2.461, -0.409, 6.741 >,  <-2.461, -1.801, 6.47 >  0.15 }
cylinder { <-3.692, 0.301, 6.766 >,  <-4.922, -0.409, 6.741 >  0.15 }
cylinder { <-4.922, -1.801, 6.47 >,  <-4.922, -0.409, 6.741 >  0.15 }
cylinder { <-4.922, -1.801, 6.47 >,  <-6.153, -2.469, 6.228 >  0.15 }
cylinder { <-4.922, -1.801, 6.47 >,  <-3.692, -2.469, 6.228 >  0.15 }
cylinder { <-6.153, -2.469, 6.228 >,  <-7.384, -1.801, 6.47 >  0.15 }
cylinder { <-6.153, -2.469, 6.228 >,  <-6.153, -3.709, 5.54 >  0.15 }
cylinder { <-7.384, -1.801, 6.47 >,  <-8.614, -2.469, 6.228 >  0.15 }
cylinder { <-8.614, -3.709, 5.54 >,  <-8.614, -2.469, 6.228 >  0.15 }
cylinder { <-8.614, -3.709, 5.54 >,  <-9.845, -4.269, 5.103 >  0.15 }
cylinder { <-8.614, -3.709, 5.54 >,  <-7.384, -4.269, 5.103 >  0.15 }
cylinder { <-9.845, -4.269, 5.103 >,  <-11.076, -3.709, 5.54 >  0.15 }
cylinder { <-9.845, -4.269, 5.103 >,  <-9.845, -5.236, 4.065 >  0.15 }
cylinder { <-11.076, -3.709, 5.54 >,  <-12.306, -4.269, 5.103 >  0.15 }
cylinder { <-12.306, -5.236, 4.065 >,  <-12.306, -4.269, 5.103 >  0.15 }
cylinder { <-12.306, -5.236, 4.065 >,  <-11.076, -5.633, 3.477 >  0.15 }
cylinder { <-12.306, -5.236, 4.065 >,  <-13.537, -5.597, 3.405 >  0.15 }
cylinder { <-12.306, -4.269, 5.103 >,  <-13.537, -3.636, 5.508 >  0.15 }
cylinder { <12.306, 5.74, 3.874 >,  <11.076, 5.303, 4.433 >  0.15 }
cylinder { <12.306, 5.74, 3.874 >,  <12.306, 6.428, 2.633 >  0.15 }
cylinder { <12.306, 5.74, 3.874 >,  <13.537, 5.224, 4.421 >  0.15 }
cylinder { <11.076, 4.266, 5.401 >,  <11.076, 5.303, 4.433 >  0.15 }
cylinder { <11.076, 4.266, 5.401 >,  <9.845, 3.677, 5.798 >  0.15 }
cylinder { <11.076, 4.266, 5.401 >,  <12.306, 3.677, 5.798 >  0.15 }
cylinder { <9.845, 3.677, 5.798 >,  <8.614, 4.266, 5.401 >  0.15 }
cylinder { <9.845, 3.677, 5.798 >,  <9.845, 2.391, 6.397 >  0.15 }
cylinder { <8.614, 4.266, 5.401 >,  <7.384, 3.677, 5.798 >  0.15 }
cylinder { <7.384, 2.391, 6.397 >,  <7.384, 3.677, 5.798 >  0.15 }
cylinder { <7.384, 2.391, 6.397 >,  <6.153, 1.709, 6.593 >  0.15 }
cylinder { <7.384, 2.391, 6.397 >,  <8.614, 1.709, 6.593 >  0.15 }
cylinder { <6.153, 1.709, 6.593 >,  <4.922, 2.391, 6.397 >  0.15 }
cylinder { <6.153, 1.709, 6.593 >,  <6.153, 0.301, 6.766 >  0.15 }
cylinder { <4.922, 2.391, 6.397 >,  <3.692, 1.709, 6.593 >  0.15 }
cylinder { <3.692, 0.301, 6.766 >,  <3.692, 1.709, 6.593 >  0.15 }
cylinder { <3.692, 0.301, 6.766 >,  <2.461, -0.409, 6.741 >  0.15 }
cylinder { <3.692, 0.301, 6.766 >,  <4.922, -0.409, 6.741 >  0.15 }
cylinder { <2.461, -0.409, 6.741 >,  <1.231, 0.301, 6.766 >  0.15 }
cylinder { <2.461, -0.409, 6.741 >,  <2.461, -1.801, 6.47 >  0.15 }
cylinder { <1.231, 0.301, 6.766 >,  <0.0, -0.409, 6.741 >  0.15 }
cylinder { <0.0, -1.801, 6.47 >,  <0.0, -0.409, 6.741 >  0.15 }
cylinder { <0.0, -1.801, 6.47 >,  <-1.231, -2.469, 6.228 >  0.15 }
cylinder { <0.0, -1.801, 6.47 >,  <1.231, -2.469, 6.228 >  0.15 }
cylinder { <-1.231, -2.469, 6.228 >,  <-2.461, -1.801, 6.47 >  0.15 }
cylinder { <-1.231, -2.469, 6.228 >,  <-1.231, -3.709, 5.54 >  0.15 }
cylinder { <-2.461, -1.801, 6.47 >,  <-3.692, -2.469, 6.228 >  0.15 }
cylinder { <-3.692, -3.709, 5.54 >,  <-3.692, -2.469, 6.228 >  0.15 }
cylinder { <-3.692, -3.709, 5.54 >,  <-4.922, -4.269, 5.103 >  0.15 }
cylinder { <-3.692, -3.709, 5.54 >,  <-2.461, -4.269, 5.103 >  0.15 }
cylinder { <-4.922, -4.269, 5.103 >,  <-6.153, -3.709, 5.54 >  0.15 }
cylinder { <-4.922, -4.269, 5.103 >,  <-4.922, -5.236, 4.065 >  0.15 }
cylinder { <-6.153, -3.709, 5.54 >,  <-7.384, -4.269, 5.103 >  0.15 }
cylinder { <-7.384, -5.236, 4.065 >,  <-7.384, -4.269, 5.103 >  0.15 }
cylinder { <-7.384, -5.236, 4.065 >,  <-8.614, -5.633, 3.477 >  0.15 }
cylinder { <-7.384, -5.236, 4.065 >,  <-6.153, -5.633, 3.477 >  0.15 }
cylinder { <-8.614, -5.633, 3.477 >,  <-9.845, -5.236, 4.065 >  0.15 }
cylinder { <-8.614, -5.633, 3.477 >,  <-8.614, -6.233, 2.191 >  0.15 }
cylinder { <-9.845, -5.236, 4.065 >,  <-11.076, -5.633, 3.477 >  0.15 }
cylinder { <-11.076, -6.233, 2.191 >,  <-11.076, -5.633, 3.477 >  0.15 }
cylinder { <-11.076, -6.233, 2.191 >,  <-12.306, -6.428, 1.508 >  0.15 }
cylinder { <-11.076, -6.233, 2.191 >,  <-9.845, -6.428, 1.508 >  0.15 }
cylinder { <-12.306, -6.428, 1.508 >,  <-12.306, -6.601, 0.101 >  0.15 }
cylinder { <-12.306, -6.428, 1.508 >,  <-13.537, -6.155, 2.209 >  0.15 }
cylinder { <12.306, 2.391, 6.397 >,  <12.306, 3.677, 5.798 >  0.15 }
cylinder { <12.306, 2.391, 6.397 >,  <11.076, 1.709, 6.593 >  0.15 }
cylinder { <12.306, 2.391, 6.397 >,  <13.537, 1.652, 6.536 >  0.15 }
cylinder { <12.306, 3.677, 5.798 >,  <13.537, 4.258, 5.321 >  0.15 }
cylinder { <11.076, 1.709, 6.593 >,  <9.845, 2.391, 6.397 >  0.15 }
cylinder { <11.076, 1.709, 6.593 >,  <11.076, 0.301, 6.766 >  0.15 }
cylinder { <9.845, 2.391, 6.397 >,  <8.614, 1.709, 6.593 >  0.15 }
cylinder { <8.614, 0.301, 6.766 >,  <8.614, 1.709, 6.593 >  0.15 }
cylinder { <8.614, 0.301, 6.766 >,  <7.384, -0.409, 6.741 >  0.15 }
cylinder { <8.614, 0.301, 6.766 >,  <9.845, -0.409, 6.741 >  0.15 }
cylinder { <7.384, -0.409, 6.741 >,  <6.153, 0.301, 6.766 >  0.15 }
cylinder { <7.384, -0.409, 6.741 >,  <7.384, -1.801, 6.47 >  0.15 }
cylinder { <6.153, 0.301, 6.766 >,  <4.922, -0.409, 6.741 >  0.15 }
cylinder { <4.922, -1.801, 6.47 >,  <4.922, -0.409, 6.741 >  0.15 }
cylinder { <4.922, -1.801, 6.47 >,  <3.692, -2.469, 6.228 >  0.15 }
cylinder { <4.922, -1.801, 6.47 >,  <6.153, -2.469, 6.228 >  0.15 }
cylinder { <3.692, -2.469, 6.228 >,  <2.461, -1.801, 6.47 >  0.15 }
cylinder { <3.692, -2.469, 6.228 >,  <3.692, -3.709, 5.54 >  0.15 }
cylinder { <2.461, -1.801, 6.47 >,  <1.231, -2.469, 6.228 >  0.15 }
cylinder { <1.231, -3.709, 5.54 >,  <1.231, -2.469, 6.228 >  0.15 }
cylinder { <1.231, -3.709, 5.54 >,  <0.0, -4.269, 5.103 >  0.15 }
cylinder { <1.231, -3.709, 5.54 >,  <2.461, -4.269, 5.103 >  0.15 }
cylinder { <0.0, -4.269, 5.103 >,  <-1.231, -3.709, 5.54 >  0.15 }
cylinder { <0.0, -4.269, 5.103 >,  <0.0, -5.236, 4.065 >  0.15 }
cylinder { <-1.231, -3.709, 5.54 >,  <-2.461, -4.269, 5.103 >  0.15 }
cylinder { <-2.461, -5.236, 4.065 >,  <-2.461, -4.269, 5.103 >  0.15 }
cylinder { <-2.461, -5.236, 4.065 >,  <-3.692, -5.633, 3.477 >  0.15 }
cylinder { <-2.461, -5.236, 4.065 >,  <-1.231, -5.633, 3.477 >  0.15 }
cylinder { <-3.692, -5.633, 3.477 >,  <-4.922, -5.236, 4.065 >  0.15 }
cylinder { <-3.692, -5.633, 3.477 >,  <-3.692, -6.233, 2.191 >  0.15 }
cylinder { <-4.922, -5.236, 4.065 >,  <-6.153, -5.633, 3.477 >  0.15 }
cylinder { <-6.153, -6.233, 2.191 >,  <-6.153, -5.633, 3.477 >  0.15 }
cylinder { <-6.153, -6.233, 2.191 >,  <-7.384, -6.428, 1.508 >  0.15 }
cylinder { <-6.153, -6.233, 2.191 >,  <-4.922, -6.428, 1.508 >  0.15 }
cylinder { <-7.384, -6.428, 1.508 >,  <-8.614, -6.233, 2.191 >  0.15 }
cylinder { <-7.384, -6.428, 1.508 >,  <-7.384, -6.601, 0.101 >  0.15 }
cylinder { <-8.614, -6.233, 2.191 >,  <-9.845, -6.428, 1.508 >  0.15 }
cylinder { <-9.845, -6.601, 0.101 >,  <-9.845, -6.428, 1.508 >  0.15 }
cylinder { <-9.845, -6.601, 0.101 >,  <-11.076, -6.577, -0.609 >  0.15 }
cylinder { <-9.845, -6.601, 0.101 >,  <-8.614, -6.577, -0.609 >  0.15 }
cylinder { <-11.076, -6.577, -0.609 >,  <-12.306, -6.601, 0.101 >  0.15 }
cylinder { <-11.076, -6.577, -0.609 >,  <-11.076, -6.306, -2.002 >  0.15 }
cylinder { <-12.306, -6.601, 0.101 >,  <-13.537, -6.505, -0.645 >  0.15 }
cylinder { <12.306, -0.409, 6.741 >,  <11.076, 0.301, 6.766 >  0.15 }
cylinder { <12.306, -0.409, 6.741 >,  <12.306, -1.801, 6.47 >  0.15 }
cylinder { <12.306, -0.409, 6.741 >,  <13.537, 0.342, 6.697 >  0.15 }
cylinder { <11.076, 0.301, 6.766 >,  <9.845, -0.409, 6.741 >  0.15 }
cylinder { <9.845, -1.801, 6.47 >,  <9.845, -0.409, 6.741 >  0.15 }
cylinder { <9.845, -1.801, 6.47 >,  <8.614, -2.469, 6.228 >  0.15 }
cylinder { <9.845, -1.801, 6.47 >,  <11.076, -2.469, 6.228 >  0.15 }
cylinder { <8.614, -2.469, 6.228 >,  <7.384, -1.801, 6.47 >  0.15 }
cylinder { <8.614, -2.469, 6.228 >,  <8.614, -3.709, 5.54 >  0.15 }
cylinder { <7.384, -1.801, 6.47 >,  <6.153, -2.469, 6.228 >  0.15 }
cylinder { <6.153, -3.709, 5.54 >,  <6.153, -2.469, 6.228 >  0.15 }
cylinder { <6.153, -3.709, 5.54 >,  <4.922, -4.269, 5.103 >  0.15 }
cylinder { <6.153, -3.709, 5.54 >,  <7.384, -4.269, 5.103 >  0.15 }
cylinder { <4.922, -4.269, 5.103 >,  <3.692, -3.709, 5.54 >  0.15 }
cylinder { <4.922, -4.269, 5.103 >,  <4.922, -5.236, 4.065 >  0.15 }
cylinder { <3.692, -3.709, 5.54 >,  <2.461, -4.269, 5.103 >  0.15 }
cylinder { <2.461, -5.236, 4.065 >,  <2.461, -4.269, 5.103 >  0.15 }
cylinder { <2.461, -5.236, 4.065 >,  <1.231, -5.633, 3.477 >  0.15 }
cylinder { <2.461, -5.236, 4.065 >,  <3.692, -5.633, 3.477 >  0.15 }
cylinder { <1.231, -5.633, 3.477 >,  <0.0, -5.236, 4.065 >  0.15 }
cylinder { <1.231, -5.633, 3.477 >,  <1.231, -6.233, 2.191 >  0.15 }
cylinder { <0.0, -5.236, 4.065 >,  <-1.231, -5.633, 3.477 >  0.15 }
cylinder { <-1.231, -6.233, 2.191 >,  <-1.231, -5.633, 3.477 >  0.15 }
cylinder { <-1.231, -6.233, 2.191 >,  <-2.461, -6.428, 1.508 >  0.15 }
cylinder { <-1.231, -6.233, 2.191 >,  <0.0, -6.428, 1.508 >  0.15 }
cylinder { <-2.461, -6.428, 1.508 >,  <-3.692, -6.233, 2.191 >  0.15 }
cylinder { <-2.461, -6.428, 1.508 >,  <-2.461, -6.601, 0.101 >  0.15 }
cylinder { <-3.692, -6.233, 2.191 >,  <-4.922, -6.428, 1.508 >  0.15 }
cylinder { <-4.922, -6.601, 0.101 >,  <-4.922, -6.428, 1.508 >  0.15 }
cylinder { <-4.922, -6.601, 0.101 >,  <-6.153, -6.577, -0.609 >  0.15 }
cylinder { <-4.922, -6.601, 0.101 >,  <-3.692, -6.577, -0.609 >  0.15 }
cylinder { <-6.153, -6.577, -0.609 >,  <-7.384, -6.601, 0.101 >  0.15 }
cylinder { <-6.153, -6.577, -0.609 >,  <-6.153, -6.306, -2.002 >  0.15 }
cylinder { <-7.384, -6.601, 0.101 >,  <-8.614, -6.577, -0.609 >  0.15 }
cylinder { <-8.614, -6.306, -2.002 >,  <-8.614, -6.577, -0.609 >  0.15 }
cylinder { <-8.614, -6.306, -2.002 >,  <-9.845, -6.063, -2.669 >  0.15 }
cylinder { <-8.614, -6.306, -2.002 >,  <-7.384, -6.063, -2.669 >  0.15 }
cylinder { <-9.845, -6.063, -2.669 >,  <-11.076, -6.306, -2.002 >  0.15 }
cylinder { <-9.845, -6.063, -2.669 >,  <-9.845, -5.375, -3.909 >  0.15 }
cylinder { <-11.076, -6.306, -2.002 >,  <-12.306, -6.063, -2.669 >  0.15 }
cylinder { <-12.306, -5.375, -3.909 >,  <-12.306, -6.063, -2.669 >  0.15 }
cylinder { <-12.306, -5.375, -3.909 >,  <-11.076, -4.938, -4.469 >  0.15 }
cylinder { <-12.306, -5.375, -3.909 >,  <-13.537, -4.859, -4.456 >  0.15 }
cylinder { <-12.306, -6.063, -2.669 >,  <-13.537, -6.253, -1.941 >  0.15 }
cylinder { <12.306, -1.801, 6.47 >,  <11.076, -2.469, 6.228 >  0.15 }
cylinder { <12.306, -1.801, 6.47 >,  <13.537, -2.481, 6.148 >  0.15 }
cylinder { <11.076, -3.709, 5.54 >,  <11.076, -2.469, 6.228 >  0.15 }
cylinder { <11.076, -3.709, 5.54 >,  <9.845, -4.269, 5.103 >  0.15 }
cylinder { <11.076, -3.709, 5.54 >,  <12.306, -4.269, 5.103 >  0.15 }
cylinder { <9.845, -4.269, 5.103 >,  <8.614, -3.709, 5.54 >  0.15 }
cylinder { <9.845, -4.269, 5.103 >,  <9.845, -5.236, 4.065 >  0.15 }
cylinder { <8.614, -3.709, 5.54 >,  <7.384, -4.269, 5.103 >  0.15 }
cylinder { <7.384, -5.236, 4.065 >,  <7.384, -4.269, 5.103 >  0.15 }
cylinder { <7.384, -5.236, 4.065 >,  <6.153, -5.633, 3.477 >  0.15 }
cylinder { <7.384, -5.236, 4.065 >,  <8.614, -5.633, 3.477 >  0.15 }
cylinder { <6.153, -5.633, 3.477 >,  <4.922, -5.236, 4.065 >  0.15 }
cylinder { <6.153, -5.633, 3.477 >,  <6.153, -6.233, 2.191 >  0.15 }
cylinder { <4.922, -5.236, 4.065 >,  <3.692, -5.633, 3.477 >  0.15 }
cylinder { <3.692, -6.233, 2.191 >,  <3.692, -5.633, 3.477 >  0.15 }
cylinder { <3.692, -6.233, 2.191 >,  <2.461, -6.428, 1.508 >  0.15 }
cylinder { <3.692, -6.233, 2.191 >,  <4.922, -6.428, 1.508 >  0.15 }
cylinder { <2.461, -6.428, 1.508 >,  <1.231, -6.233, 2.191 >  0.15 }
cylinder { <2.461, -6.428, 1.508 >,  <2.461, -6.601, 0.1 >  0.15 }
cylinder { <1.231, -6.233, 2.191 >,  <0.0, -6.428, 1.508 >  0.15 }
cylinder { <0.0, -6.601, 0.101 >,  <0.0, -6.428, 1.508 >  0.15 }
cylinder { <0.0, -6.601, 0.101 >,  <-1.231, -6.577, -0.609 >  0.15 }
cylinder { <0.0, -6.601, 0.101 >,  <1.231, -6.577, -0.609 >  0.15 }
cylinder { <-1.231, -6.577, -0.609 >,  <-2.461, -6.601, 0.101 >  0.15 }
cylinder { <-1.231, -6.577, -0.609 >,  <-1.231, -6.306, -2.002 >  0.15 }
cylinder { <-2.461, -6.601, 0.101 >,  <-3.692, -6.577, -0.609 >  0.15 }
cylinder { <-3.692, -6.306, -2.002 >,  <-3.692, -6.577, -0.609 >  0.15 }
cylinder { <-3.692, -6.306, -2.002 >,  <-4.922, -6.063, -2.669 >  0.15 }
cylinder { <-3.692, -6.306, -2.002 >,  <-2.461, -6.063, -2.669 >  0.15 }
cylinder { <-4.922, -6.063, -2.669 >,  <-6.153, -6.306, -2.002 >  0.15 }
cylinder { <-4.922, -6.063, -2.669 >,  <-4.922, -5.375, -3.909 >  0.15 }
cylinder { <-6.153, -6.306, -2.002 >,  <-7.384, -6.063, -2.669 >  0.15 }
cylinder { <-7.384, -5.375, -3.909 >,  <-7.384, -6.063, -2.669 >  0.15 }
cylinder { <-7.384, -5.375, -3.909 >,  <-8.614, -4.938, -4.469 >  0.15 }
cylinder { <-7.384, -5.375, -3.909 >,  <-6.153, -4.938, -4.469 >  0.15 }
cylinder { <-8.614, -4.938, -4.469 >,  <-9.845, -5.375, -3.909 >  0.15 }
cylinder { <-8.614, -4.938, -4.469 >,  <-8.614, -3.901, -5.436 >  0.15 }
cylinder { <-9.845, -5.375, -3.909 >,  <-11.076, -4.938, -4.469 >  0.15 }
cylinder { <-11.076, -3.901, -5.436 >,  <-11.076, -4.938, -4.469 >  0.15 }
cylinder { <-11.076, -3.901, -5.436 >,  <-12.306, -3.312, -5.834 >  0.15 }
cylinder { <-11.076, -3.901, -5.436 >,  <-9.845, -3.312, -5.834 >  0.15 }
cylinder { <-12.306, -3.312, -5.834 >,  <-12.306, -2.026, -6.433 >  0.15 }
cylinder { <-12.306, -3.312, -5.834 >,  <-13.537, -3.894, -5.357 >  0.15 }
cylinder { <12.306, -5.236, 4.065 >,  <12.306, -4.269, 5.103 >  0.15 }
cylinder { <12.306, -5.236, 4.065 >,  <11.076, -5.633, 3.477 >  0.15 }
cylinder { <12.306, -5.236, 4.065 >,  <13.537, -5.597, 3.405 >  0.15 }
cylinder { <12.306, -4.269, 5.103 >,  <13.537, -3.636, 5.508 >  0.15 }
cylinder { <11.076, -5.633, 3.477 >,  <9.845, -5.236, 4.065 >  0.15 }
cylinder { <11.076, -5.633, 3.477 >,  <11.076, -6.233, 2.191 >  0.15 }
cylinder { <9.845, -5.236, 4.065 >,  <8.614, -5.633, 3.477 >  0.15 }
cylinder { <8.614, -6.233, 2.191 >,  <8.614, -5.633, 3.477 >  0.15 }
cylinder { <8.614, -6.233, 2.191 >,  <7.384, -6.428, 1.508 >  0.15 }
cylinder { <8.614, -6.233, 2.191 >,  <9.845, -6.428, 1.508 >  0.15 }
cylinder { <7.384, -6.428, 1.508 >,  <6.153, -6.233, 2.191 >  0.15 }
cylinder { <7.384, -6.428, 1.508 >,  <7.384, -6.601, 0.101 >  0.15 }
cylinder { <6.153, -6.233, 2.191 >,  <4.922, -6.428, 1.508 >  0.15 }
cylinder { <4.922, -6.601, 0.1 >,  <4.922, -6.428, 1.508 >  0.15 }
cylinder { <4.922, -6.601, 0.1 >,  <3.692, -6.577, -0.609 >  0.15 }
cylinder { <4.922, -6.601, 0.1 >,  <6.153, -6.577, -0.609 >  0.15 }
cylinder { <3.692, -6.577, -0.609 >,  <2.461, -6.601, 0.1 >  0.15 }
cylinder { <3.692, -6.577, -0.609 >,  <3.692, -6.306, -2.002 >  0.15 }
cylinder { <2.461, -6.601, 0.1 >,  <1.231, -6.577, -0.609 >  0.15 }
cylinder { <1.231, -6.306, -2.002 >,  <1.231, -6.577, -0.609 >  0.15 }
cylinder { <1.231, -6.306, -2.002 >,  <0.0, -6.063, -2.669 >  0.15 }
cylinder { <1.231, -6.306, -2.002 >,  <2.461, -6.063, -2.669 >  0.15 }
cylinder { <0.0, -6.063, -2.669 >,  <-1.231, -6.306, -2.002 >  0.15 }
cylinder { <0.0, -6.063, -2.669 >,  <0.0, -5.375, -3.909 >  0.15 }
cylinder { <-1.231, -6.306, -2.002 >,  <-2.461, -6.063, -2.669 >  0.15 }
cylinder { <-2.461, -5.375, -3.909 >,  <-2.461, -6.063, -2.669 >  0.15 }
cylinder { <-2.461, -5.375, -3.909 >,  <-3.692, -4.938, -4.469 >  0.15 }
cylinder { <-2.461, -5.375, -3.909 >,  <-1.231, -4.938, -4.469 >  0.15 }
cylinder { <-3.692, -4.938, -4.469 >,  <-4.922, -5.375, -3.909 >  0.15 }
cylinder { <-3.692, -4.938, -4.469 >,  <-3.692, -3.901, -5.436 >  0.15 }
cylinder { <-4.922, -5.375, -3.909 >,  <-6.153, -4.938, -4.469 >  0.15 }
cylinder { <-6.153, -3.901, -5.436 >,  <-6.153, -4.938, -4.469 >  0.15 }
cylinder { <-6.153, -3.901, -5.436 >,  <-7.384, -3.312, -5.834 >  0.15 }
cylinder { <-6.153, -3.901, -5.436 >,  <-4.922, -3.312, -5.834 >  0.15 }
cylinder { <-7.384, -3.312, -5.834 >,  <-8.614, -3.901, -5.436 >  0.15 }
cylinder { <-7.384, -3.312, -5.834 >,  <-7.384, -2.026, -6.433 >  0.15 }
cylinder { <-8.614, -3.901, -5.436 >,  <-9.845, -3.312, -5.834 >  0.15 }
cylinder { <-9.845, -2.026, -6.433 >,  <-9.845, -3.312, -5.834 >  0.15 }
cylinder { <-9.845, -2.026, -6.433 >,  <-11.076, -1.344, -6.629 >  0.15 }
cylinder { <-9.845, -2.026, -6.433 >,  <-8.614, -1.344, -6.629 >  0.15 }
cylinder { <-11.076, -1.344, -6.629 >,  <-12.306, -2.026, -6.433 >  0.15 }
cylinder { <-11.076, -1.344, -6.629 >,  <-11.076, 0.064, -6.802 >  0.15 }
cylinder { <-12.306, -2.026, -6.433 >,  <-13.537, -1.287, -6.572 >  0.15 }
cylinder { <12.306, -6.428, 1.508 >,  <11.076, -6.233, 2.191 >  0.15 }
cylinder { <12.306, -6.428, 1.508 >,  <12.306, -6.601, 0.1 >  0.15 }
cylinder { <12.306, -6.428, 1.508 >,  <13.537, -6.155, 2.209 >  0.15 }
cylinder { <11.076, -6.233, 2.191 >,  <9.845, -6.428, 1.508 >  0.15 }
cylinder { <9.845, -6.601, 0.1 >,  <9.845, -6.428, 1.508 >  0.15 }
cylinder { <9.845, -6.601, 0.1 >,  <8.614, -6.577, -0.609 >  0.15 }
cylinder { <9.845, -6.601, 0.1 >,  <11.076, -6.577, -0.609 >  0.15 }
cylinder { <8.614, -6.577, -0.609 >,  <7.384, -6.601, 0.101 >  0.15 }
cylinder { <8.614, -6.577, -0.609 >,  <8.614, -6.306, -2.002 >  0.15 }
cylinder { <7.384, -6.601, 0.101 >,  <6.153, -6.577, -0.609 >  0.15 }
cylinder { <6.153, -6.306, -2.002 >,  <6.153, -6.577, -0.609 >  0.15 }
cylinder { <6.153, -6.306, -2.002 >,  <4.922, -6.063, -2.669 >  0.15 }
cylinder { <6.153, -6.306, -2.002 >,  <7.384, -6.063, -2.669 >  0.15 }
cylinder { <4.922, -6.063, -2.669 >,  <3.692, -6.306, -2.002 >  0.15 }
cylinder { <4.922, -6.063, -2.669 >,  <4.922, -5.375, -3.909 >  0.15 }
cylinder { <3.692, -6.306, -2.002 >,  <2.461, -6.063, -2.669 >  0.15 }
cylinder { <2.461, -5.375, -3.909 >,  <2.461, -6.063, -2.669 >  0.15 }
cylinder { <2.461, -5.375, -3.909 >,  <1.231, -4.938, -4.469 >  0.15 }
cylinder { <2.461, -5.375, -3.909 >,  <3.692, -4.938, -4.469 >  0.15 }
cylinder { <1.231, -4.938, -4.469 >,  <0.0, -5.375, -3.909 >  0.15 }
cylinder { <1.231, -4.938, -4.469 >,  <1.231, -3.901, -5.436 >  0.15 }
cylinder { <0.0, -5.375, -3.909 >,  <-1.231, -4.938, -4.469 >  0.15 }
cylinder { <-1.231, -3.901, -5.436 >,  <-1.231, -4.938, -4.469 >  0.15 }
cylinder { <-1.231, -3.901, -5.436 >,  <-2.461, -3.312, -5.834 >  0.15 }
cylinder { <-1.231, -3.901, -5.436 >,  <0.0, -3.312, -5.834 >  0.15 }
cylinder { <-2.461, -3.312, -5.834 >,  <-3.692, -3.901, -5.436 >  0.15 }
cylinder { <-2.461, -3.312, -5.834 >,  <-2.461, -2.026, -6.433 >  0.15 }
cylinder { <-3.692, -3.901, -5.436 >,  <-4.922, -3.312, -5.834 >  0.15 }
cylinder { <-4.922, -2.026, -6.433 >,  <-4.922, -3.312, -5.834 >  0.15 }
cylinder { <-4.922, -2.026, -6.433 >,  <-6.153, -1.344, -6.629 >  0.15 }
cylinder { <-4.922, -2.026, -6.433 >,  <-3.692, -1.344, -6.629 >  0.15 }
cylinder { <-6.153, -1.344, -6.629 >,  <-7.384, -2.026, -6.433 >  0.15 }
cylinder { <-6.153, -1.344, -6.629 >,  <-6.153, 0.064, -6.802 >  0.15 }
cylinder { <-7.384, -2.026, -6.433 >,  <-8.614, -1.344, -6.629 >  0.15 }
cylinder { <-8.614, 0.064, -6.802 >,  <-8.614, -1.344, -6.629 >  0.15 }
cylinder { <-8.614, 0.064, -6.802 >,  <-9.845, 0.774, -6.777 >  0.15 }
cylinder { <-8.614, 0.064, -6.802 >,  <-7.384, 0.774, -6.777 >  0.15 }
cylinder { <-9.845, 0.774, -6.777 >,  <-11.076, 0.064, -6.802 >  0.15 }
cylinder { <-9.845, 0.774, -6.777 >,  <-9.845, 2.166, -6.506 >  0.15 }
cylinder { <-11.076, 0.064, -6.802 >,  <-12.306, 0.774, -6.777 >  0.15 }
cylinder { <-12.306, 2.166, -6.506 >,  <-12.306, 0.774, -6.777 >  0.15 }
cylinder { <-12.306, 2.166, -6.506 >,  <-11.076, 2.833, -6.263 >  0.15 }
cylinder { <-12.306, 2.166, -6.506 >,  <-13.537, 2.846, -6.184 >  0.15 }
cylinder { <-12.306, 0.774, -6.777 >,  <-13.537, 0.023, -6.733 >  0.15 }
cylinder { <12.306, -6.601, 0.1 >,  <11.076, -6.577, -0.609 >  0.15 }
cylinder { <12.306, -6.601, 0.1 >,  <13.537, -6.505, -0.645 >  0.15 }
cylinder { <11.076, -6.306, -2.002 >,  <11.076, -6.577, -0.609 >  0.15 }
cylinder { <11.076, -6.306, -2.002 >,  <9.845, -6.063, -2.669 >  0.15 }
cylinder { <11.076, -6.306, -2.002 >,  <12.306, -6.063, -2.669 >  0.15 }
cylinder { <9.845, -6.063, -2.669 >,  <8.614, -6.306, -2.002 >  0.15 }
cylinder { <9.845, -6.063, -2.669 >,  <9.845, -5.375, -3.909 >  0.15 }
cylinder { <8.614, -6.306, -2.002 >,  <7.384, -6.063, -2.669 >  0.15 }
cylinder { <7.384, -5.375, -3.909 >,  <7.384, -6.063, -2.669 >  0.15 }
cylinder { <7.384, -5.375, -3.909 >,  <6.153, -4.938, -4.469 >  0.15 }
cylinder { <7.384, -5.375, -3.909 >,  <8.614, -4.938, -4.469 >  0.15 }
cylinder { <6.153, -4.938, -4.469 >,  <4.922, -5.375, -3.909 >  0.15 }
cylinder { <6.153, -4.938, -4.469 >,  <6.153, -3.901, -5.436 >  0.15 }
cylinder { <4.922, -5.375, -3.909 >,  <3.692, -4.938, -4.469 >  0.15 }
cylinder { <3.692, -3.901, -5.436 >,  <3.692, -4.938, -4.469 >  0.15 }
cylinder { <3.692, -3.901, -5.436 >,  <2.461, -3.312, -5.834 >  0.15 }
cylinder { <3.692, -3.901, -5.436 >,  <4.922, -3.312, -5.834 >  0.15 }
cylinder { <2.461, -3.312, -5.834 >,  <1.231, -3.901, -5.436 >  0.15 }
cylinder { <2.461, -3.312, -5.834 >,  <2.461, -2.026, -6.433 >  0.15 }
cylinder { <1.231, -3.901, -5.436 >,  <0.0, -3.312, -5.834 >  0.15 }
cylinder { <0.0, -2.026, -6.433 >,  <0.0, -3.312, -5.834 >  0.15 }
cylinder { <0.0, -2.026, -6.433 >,  <-1.231, -1.344, -6.629 >  0.15 }
cylinder { <0.0, -2.026, -6.433 >,  <1.231, -1.344, -6.629 >  0.15 }
cylinder { <-1.231, -1.344, -6.629 >,  <-2.461, -2.026, -6.433 >  0.15 }
cylinder { <-1.231, -1.344, -6.629 >,  <-1.231, 0.064, -6.802 >  0.15 }
cylinder { <-2.461, -2.026, -6.433 >,  <-3.692, -1.344, -6.629 >  0.15 }
cylinder { <-3.692, 0.064, -6.802 >,  <-3.692, -1.344, -6.629 >  0.15 }
cylinder { <-3.692, 0.064, -6.802 >,  <-4.922, 0.774, -6.777 >  0.15 }
cylinder { <-3.692, 0.064, -6.802 >,  <-2.461, 0.774, -6.777 >  0.15 }
cylinder { <-4.922, 0.774, -6.777 >,  <-6.153, 0.064, -6.802 >  0.15 }
cylinder { <-4.922, 0.774, -6.777 >,  <-4.922, 2.166, -6.506 >  0.15 }
cylinder { <-6.153, 0.064, -6.802 >,  <-7.384, 0.774, -6.777 >  0.15 }
cylinder { <-7.384, 2.166, -6.506 >,  <-7.384, 0.774, -6.777 >  0.15 }
cylinder { <-7.384, 2.166, -6.506 >,  <-8.614, 2.833, -6.263 >  0.15 }
cylinder { <-7.384, 2.166, -6.506 >,  <-6.153, 2.833, -6.263 >  0.15 }
cylinder { <-8.614, 2.833, -6.263 >,  <-9.845, 2.166, -6.506 >  0.15 }
cylinder { <-8.614, 2.833, -6.263 >,  <-8.614, 4.074, -5.576 >  0.15 }
cylinder { <-9.845, 2.166, -6.506 >,  <-11.076, 2.833, -6.263 >  0.15 }
cylinder { <-11.076, 4.074, -5.576 >,  <-11.076, 2.833, -6.263 >  0.15 }
cylinder { <-11.076, 4.074, -5.576 >,  <-12.306, 4.634, -5.138 >  0.15 }
cylinder { <-11.076, 4.074, -5.576 >,  <-9.845, 4.634, -5.138 >  0.15 }
cylinder { <-12.306, 4.634, -5.138 >,  <-12.306, 5.601, -4.101 >  0.15 }
cylinder { <-12.306, 4.634, -5.138 >,  <-13.537, 4.0, -5.544 >  0.15 }
cylinder { <12.306, -5.375, -3.909 >,  <12.306, -6.063, -2.669 >  0.15 }
cylinder { <12.306, -5.375, -3.909 >,  <11.076, -4.938, -4.469 >  0.15 }
cylinder { <12.306, -5.375, -3.909 >,  <13.537, -4.859, -4.456 >  0.15 }
cylinder { <12.306, -6.063, -2.669 >,  <13.537, -6.253, -1.941 >  0.15 }
cylinder { <11.076, -4.938, -4.469 >,  <9.845, -5.375, -3.909 >  0.15 }
cylinder { <11.076, -4.938, -4.469 >,  <11.076, -3.901, -5.436 >  0.15 }
cylinder { <9.845, -5.375, -3.909 >,  <8.614, -4.938, -4.469 >  0.15 }
cylinder { <8.614, -3.901, -5.436 >,  <8.614, -4.938, -4.469 >  0.15 }
cylinder { <8.614, -3.901, -5.436 >,  <7.384, -3.312, -5.834 >  0.15 }
cylinder { <8.614, -3.901, -5.436 >,  <9.845, -3.312, -5.834 >  0.15 }
cylinder { <7.384, -3.312, -5.834 >,  <6.153, -3.901, -5.436 >  0.15 }
cylinder { <7.384, -3.312, -5.834 >,  <7.384, -2.026, -6.433 >  0.15 }
cylinder { <6.153, -3.901, -5.436 >,  <4.922, -3.312, -5.834 >  0.15 }
cylinder { <4.922, -2.026, -6.433 >,  <4.922, -3.312, -5.834 >  0.15 }
cylinder { <4.922, -2.026, -6.433 >,  <3.692, -1.344, -6.629 >  0.15 }
cylinder { <4.922, -2.026, -6.433 >,  <6.153, -1.344, -6.629 >  0.15 }
cylinder { <3.692, -1.344, -6.629 >,  <2.461, -2.026, -6.433 >  0.15 }
cylinder { <3.692, -1.344, -6.629 >,  <3.692, 0.064, -6.802 >  0.15 }
cylinder { <2.461, -2.026, -6.433 >,  <1.231, -1.344, -6.629 >  0.15 }
cylinder { <1.231, 0.064, -6.802 >,  <1.231, -1.344, -6.629 >  0.15 }
cylinder { <1.231, 0.064, -6.802 >,  <0.0, 0.774, -6.777 >  0.15 }
cylinder { <1.231, 0.064, -6.802 >,  <2.461, 0.774, -6.777 >  0.15 }
cylinder { <0.0, 0.774, -6.777 >,  <-1.231, 0.064, -6.802 >  0.15 }
cylinder { <0.0, 0.774, -6.777 >,  <0.0, 2.166, -6.506 >  0.15 }
cylinder { <-1.231, 0.064, -6.802 >,  <-2.461, 0.774, -6.777 >  0.15 }
cylinder { <-2.461, 2.166, -6.506 >,  <-2.461, 0.774, -6.777 >  0.15 }
cylinder { <-2.461, 2.166, -6.506 >,  <-3.692, 2.833, -6.263 >  0.15 }
cylinder { <-2.461, 2.166, -6.506 >,  <-1.231, 2.833, -6.263 >  0.15 }
cylinder { <-3.692, 2.833, -6.263 >,  <-4.922, 2.166, -6.506 >  0.15 }
cylinder { <-3.692, 2.833, -6.263 >,  <-3.692, 4.074, -5.576 >  0.15 }
cylinder { <-4.922, 2.166, -6.506 >,  <-6.153, 2.833, -6.263 >  0.15 }
cylinder { <-6.153, 4.074, -5.576 >,  <-6.153, 2.833, -6.263 >  0.15 }
cylinder { <-6.153, 4.074, -5.576 >,  <-7.384, 4.634, -5.138 >  0.15 }
cylinder { <-6.153, 4.074, -5.576 >,  <-4.922, 4.634, -5.138 >  0.15 }
cylinder { <-7.384, 4.634, -5.138 >,  <-8.614, 4.074, -5.576 >  0.15 }
cylinder { <-7.384, 4.634, -5.138 >,  <-7.384, 5.601, -4.101 >  0.15 }
cylinder { <-8.614, 4.074, -5.576 >,  <-9.845, 4.634, -5.138 >  0.15 }
cylinder { <-9.845, 5.601, -4.101 >,  <-9.845, 4.634, -5.138 >  0.15 }
cylinder { <-9.845, 5.601, -4.101 >,  <-11.076, 5.998, -3.512 >  0.15 }
cylinder { <-9.845, 5.601, -4.101 >,  <-8.614, 5.998, -3.512 >  0.15 }
cylinder { <-11.076, 5.998, -3.512 >,  <-12.306, 5.601, -4.101 >  0.15 }
cylinder { <-11.076, 5.998, -3.512 >,  <-11.076, 6.598, -2.227 >  0.15 }
cylinder { <-12.306, 5.601, -4.101 >,  <-13.537, 5.962, -3.441 >  0.15 }
cylinder { <12.306, -3.312, -5.834 >,  <11.076, -3.901, -5.436 >  0.15 }
cylinder { <12.306, -3.312, -5.834 >,  <12.306, -2.026, -6.433 >  0.15 }
cylinder { <12.306, -3.312, -5.834 >,  <13.537, -3.894, -5.357 >  0.15 }
cylinder { <11.076, -3.901, -5.436 >,  <9.845, -3.312, -5.834 >  0.15 }
cylinder { <9.845, -2.026, -6.433 >,  <9.845, -3.312, -5.834 >  0.15 }
cylinder { <9.845, -2.026, -6.433 >,  <8.614, -1.344, -6.629 >  0.15 }
cylinder { <9.845, -2.026, -6.433 >,  <11.076, -1.344, -6.629 >  0.15 }
cylinder { <8.614, -1.344, -6.629 >,  <7.384, -2.026, -6.433 >  0.15 }
cylinder { <8.614, -1.344, -6.629 >,  <8.614, 0.064, -6.802 >  0.15 }
cylinder { <7.384, -2.026, -6.433 >,  <6.153, -1.344, -6.629 >  0.15 }
cylinder { <6.153, 0.064, -6.802 >,  <6.153, -1.344, -6.629 >  0.15 }
cylinder { <6.153, 0.064, -6.802 >,  <4.922, 0.774, -6.777 >  0.15 }
cylinder { <6.153, 0.064, -6.802 >,  <7.384, 0.774, -6.777 >  0.15 }
cylinder { <4.922, 0.774, -6.777 >,  <3.692, 0.064, -6.802 >  0.15 }
cylinder { <4.922, 0.774, -6.777 >,  <4.922, 2.166, -6.506 >  0.15 }
cylinder { <3.692, 0.064, -6.802 >,  <2.461, 0.774, -6.777 >  0.15 }
cylinder { <2.461, 2.166, -6.506 >,  <2.461, 0.774, -6.777 >  0.15 }
cylinder { <2.461, 2.166, -6.506 >,  <1.231, 2.833, -6.263 >  0.15 }
cylinder { <2.461, 2.166, -6.506 >,  <3.692, 2.833, -6.263 >  0.15 }
cylinder { <1.231, 2.833, -6.263 >,  <0.0, 2.166, -6.506 >  0.15 }
cylinder { <1.231, 2.833, -6.263 >,  <1.231, 4.074, -5.576 >  0.15 }
cylinder { <0.0, 2.166, -6.506 >,  <-1.231, 2.833, -6.263 >  0.15 }
cylinder { <-1.231, 4.074, -5.576 >,  <-1.231, 2.833, -6.263 >  0.15 }
cylinder { <-1.231, 4.074, -5.576 >,  <-2.461, 4.634, -5.138 >  0.15 }
cylinder { <-1.231, 4.074, -5.576 >,  <0.0, 4.634, -5.138 >  0.15 }
cylinder { <-2.461, 4.634, -5.138 >,  <-3.692, 4.074, -5.576 >  0.15 }
cylinder { <-2.461, 4.634, -5.138 >,  <-2.461, 5.601, -4.101 >  0.15 }
cylinder { <-3.692, 4.074, -5.576 >,  <-4.922, 4.634, -5.138 >  0.15 }
cylinder { <-4.922, 5.601, -4.101 >,  <-4.922, 4.634, -5.138 >  0.15 }
cylinder { <-4.922, 5.601, -4.101 >,  <-6.153, 5.998, -3.512 >  0.15 }
cylinder { <-4.922, 5.601, -4.101 >,  <-3.692, 5.998, -3.512 >  0.15 }
cylinder { <-6.153, 5.998, -3.512 >,  <-7.384, 5.601, -4.101 >  0.15 }
cylinder { <-6.153, 5.998, -3.512 >,  <-6.153, 6.598, -2.227 >  0.15 }
cylinder { <-7.384, 5.601, -4.101 >,  <-8.614, 5.998, -3.512 >  0.15 }
cylinder { <-8.614, 6.598, -2.227 >,  <-8.614, 5.998, -3.512 >  0.15 }
cylinder { <-8.614, 6.598, -2.227 >,  <-9.845, 6.793, -1.544 >  0.15 }
cylinder { <-8.614, 6.598, -2.227 >,  <-7.384, 6.793, -1.544 >  0.15 }
cylinder { <-9.845, 6.793, -1.544 >,  <-11.076, 6.598, -2.227 >  0.15 }
cylinder { <-9.845, 6.793, -1.544 >,  <-9.845, 6.966, -0.136 >  0.15 }
cylinder { <-11.076, 6.598, -2.227 >,  <-12.306, 6.793, -1.544 >  0.15 }
cylinder { <-12.306, 6.966, -0.136 >,  <-12.306, 6.793, -1.544 >  0.15 }
cylinder { <-12.306, 6.966, -0.136 >,  <-11.076, 6.941, 0.573 >  0.15 }
cylinder { <-12.306, 6.966, -0.136 >,  <-13.537, 6.87, 0.61 >  0.15 }
cylinder { <-12.306, 6.793, -1.544 >,  <-13.537, 6.52, -2.245 >  0.15 }
cylinder { <12.306, -2.026, -6.433 >,  <11.076, -1.344, -6.629 >  0.15 }
cylinder { <12.306, -2.026, -6.433 >,  <13.537, -1.287, -6.572 >  0.15 }
cylinder { <11.076, 0.064, -6.802 >,  <11.076, -1.344, -6.629 >  0.15 }
cylinder { <11.076, 0.064, -6.802 >,  <9.845, 0.774, -6.777 >  0.15 }
cylinder { <11.076, 0.064, -6.802 >,  <12.306, 0.774, -6.777 >  0.15 }
cylinder { <9.845, 0.774, -6.777 >,  <8.614, 0.064, -6.802 >  0.15 }
cylinder { <9.845, 0.774, -6.777 >,  <9.845, 2.166, -6.506 >  0.15 }
cylinder { <8.614, 0.064, -6.802 >,  <7.384, 0.774, -6.777 >  0.15 }
cylinder { <7.384, 2.166, -6.506 >,  <7.384, 0.774, -6.777 >  0.15 }
cylinder { <7.384, 2.166, -6.506 >,  <6.153, 2.833, -6.263 >  0.15 }
cylinder { <7.384, 2.166, -6.506 >,  <8.614, 2.833, -6.263 >  0.15 }
cylinder { <6.153, 2.833, -6.263 >,  <4.922, 2.166, -6.506 >  0.15 }
cylinder { <6.153, 2.833, -6.263 >,  <6.153, 4.074, -5.576 >  0.15 }
cylinder { <4.922, 2.166, -6.506 >,  <3.692, 2.833, -6.263 >  0.15 }
cylinder { <3.692, 4.074, -5.576 >,  <3.692, 2.833, -6.263 >  0.15 }
cylinder { <3.692, 4.074, -5.576 >,  <2.461, 4.634, -5.138 >  0.15 }
cylinder { <3.692, 4.074, -5.576 >,  <4.922, 4.634, -5.138 >  0.15 }
cylinder { <2.461, 4.634, -5.138 >,  <1.231, 4.074, -5.576 >  0.15 }
cylinder { <2.461, 4.634, -5.138 >,  <2.461, 5.601, -4.101 >  0.15 }
cylinder { <1.231, 4.074, -5.576 >,  <0.0, 4.634, -5.138 >  0.15 }
cylinder { <0.0, 5.601, -4.101 >,  <0.0, 4.634, -5.138 >  0.15 }
cylinder { <0.0, 5.601, -4.101 >,  <-1.231, 5.998, -3.512 >  0.15 }
cylinder { <0.0, 5.601, -4.101 >,  <1.231, 5.998, -3.512 >  0.15 }
cylinder { <-1.231, 5.998, -3.512 >,  <-2.461, 5.601, -4.101 >  0.15 }
cylinder { <-1.231, 5.998, -3.512 >,  <-1.231, 6.598, -2.227 >  0.15 }
cylinder { <-2.461, 5.601, -4.101 >,  <-3.692, 5.998, -3.512 >  0.15 }
cylinder { <-3.692, 6.598, -2.227 >,  <-3.692, 5.998, -3.512 >  0.15 }
cylinder { <-3.692, 6.598, -2.227 >,  <-4.922, 6.793, -1.544 >  0.15 }
cylinder { <-3.692, 6.598, -2.227 >,  <-2.461, 6.793, -1.544 >  0.15 }
cylinder { <-4.922, 6.793, -1.544 >,  <-6.153, 6.598, -2.227 >  0.15 }
cylinder { <-4.922, 6.793, -1.544 >,  <-4.922, 6.966, -0.136 >  0.15 }
cylinder { <-6.153, 6.598, -2.227 >,  <-7.384, 6.793, -1.544 >  0.15 }
cylinder { <-7.384, 6.966, -0.136 >,  <-7.384, 6.793, -1.544 >  0.15 }
cylinder { <-7.384, 6.966, -0.136 >,  <-8.614, 6.941, 0.573 >  0.15 }
cylinder { <-7.384, 6.966, -0.136 >,  <-6.153, 6.941, 0.573 >  0.15 }
cylinder { <-8.614, 6.941, 0.573 >,  <-9.845, 6.966, -0.136 >  0.15 }
cylinder { <-8.614, 6.941, 0.573 >,  <-8.614, 6.671, 1.966 >  0.15 }
cylinder { <-9.845, 6.966, -0.136 >,  <-11.076, 6.941, 0.573 >  0.15 }
cylinder { <-11.076, 6.671, 1.966 >,  <-11.076, 6.941, 0.573 >  0.15 }
cylinder { <-11.076, 6.671, 1.966 >,  <-12.306, 6.428, 2.633 >  0.15 }
cylinder { <-11.076, 6.671, 1.966 >,  <-9.845, 6.428, 2.633 >  0.15 }
cylinder { <-12.306, 6.428, 2.633 >,  <-13.537, 6.618, 1.906 >  0.15 }
cylinder { <12.306, 2.166, -6.506 >,  <12.306, 0.774, -6.777 >  0.15 }
cylinder { <12.306, 2.166, -6.506 >,  <11.076, 2.833, -6.263 >  0.15 }
cylinder { <12.306, 2.166, -6.506 >,  <13.537, 2.846, -6.184 >  0.15 }
cylinder { <12.306, 0.774, -6.777 >,  <13.537, 0.023, -6.733 >  0.15 }
cylinder { <11.076, 2.833, -6.263 >,  <9.845, 2.166, -6.506 >  0.15 }
cylinder { <11.076, 2.833, -6.263 >,  <11.076, 4.074, -5.576 >  0.15 }
cylinder { <9.845, 2.166, -6.506 >,  <8.614, 2.833, -6.263 >  0.15 }
cylinder { <8.614, 4.074, -5.576 >,  <8.614, 2.833, -6.263 >  0.15 }
cylinder { <8.614, 4.074, -5.576 >,  <7.384, 4.634, -5.138 >  0.15 }
cylinder { <8.614, 4.074, -5.576 >,  <9.845, 4.634, -5.138 >  0.15 }
cylinder { <7.384, 4.634, -5.138 >,  <6.153, 4.074, -5.576 >  0.15 }
cylinder { <7.384, 4.634, -5.138 >,  <7.384, 5.601, -4.101 >  0.15 }
cylinder { <6.153, 4.074, -5.576 >,  <4.922, 4.634, -5.138 >  0.15 }
cylinder { <4.922, 5.601, -4.101 >,  <4.922, 4.634, -5.138 >  0.15 }
cylinder { <4.922, 5.601, -4.101 >,  <3.692, 5.998, -3.512 >  0.15 }
cylinder { <4.922, 5.601, -4.101 >,  <6.153, 5.998, -3.512 >  0.15 }
cylinder { <3.692, 5.998, -3.512 >,  <2.461, 5.601, -4.101 >  0.15 }
cylinder { <3.692, 5.998, -3.512 >,  <3.692, 6.598, -2.227 >  0.15 }
cylinder { <2.461, 5.601, -4.101 >,  <1.231, 5.998, -3.512 >  0.15 }
cylinder { <1.231, 6.598, -2.227 >,  <1.231, 5.998, -3.512 >  0.15 }
cylinder { <1.231, 6.598, -2.227 >,  <0.0, 6.793, -1.544 >  0.15 }
cylinder { <1.231, 6.598, -2.227 >,  <2.461, 6.793, -1.544 >  0.15 }
cylinder { <0.0, 6.793, -1.544 >,  <-1.231, 6.598, -2.227 >  0.15 }
cylinder { <0.0, 6.793, -1.544 >,  <0.0, 6.966, -0.136 >  0.15 }
cylinder { <-1.231, 6.598, -2.227 >,  <-2.461, 6.793, -1.544 >  0.15 }
cylinder { <-2.461, 6.966, -0.136 >,  <-2.461, 6.793, -1.544 >  0.15 }
cylinder { <-2.461, 6.966, -0.136 >,  <-3.692, 6.941, 0.573 >  0.15 }
cylinder { <-2.461, 6.966, -0.136 >,  <-1.231, 6.941, 0.573 >  0.15 }
cylinder { <-3.692, 6.941, 0.573 >,  <-4.922, 6.966, -0.136 >  0.15 }
cylinder { <-3.692, 6.941, 0.573 >,  <-3.692, 6.671, 1.966 >  0.15 }
cylinder { <-4.922, 6.966, -0.136 >,  <-6.153, 6.941, 0.573 >  0.15 }
cylinder { <-6.153, 6.671, 1.966 >,  <-6.153, 6.941, 0.573 >  0.15 }
cylinder { <-6.153, 6.671, 1.966 >,  <-7.384, 6.428, 2.633 >  0.15 }
cylinder { <-6.153, 6.671, 1.966 >,  <-4.922, 6.428, 2.633 >  0.15 }
cylinder { <-7.384, 6.428, 2.633 >,  <-8.614, 6.671, 1.966 >  0.15 }
cylinder { <-8.614, 6.671, 1.966 >,  <-9.845, 6.428, 2.633 >  0.15 }
cylinder { <12.306, 4.634, -5.138 >,  <11.076, 4.074, -5.576 >  0.15 }
cylinder { <12.306, 4.634, -5.138 >,  <12.306, 5.601, -4.101 >  0.15 }
cylinder { <12.306, 4.634, -5.138 >,  <13.537, 4.0, -5.544 >  0.15 }
cylinder { <11.076, 4.074, -5.576 >,  <9.845, 4.634, -5.138 >  0.15 }
cylinder { <9.845, 5.601, -4.101 >,  <9.845, 4.634, -5.138 >  0.15 }
cylinder { <9.845, 5.601, -4.101 >,  <8.614, 5.998, -3.512 >  0.15 }
cylinder { <9.845, 5.601, -4.101 >,  <11.076, 5.998, -3.512 >  0.15 }
cylinder { <8.614, 5.998, -3.512 >,  <7.384, 5.601, -4.101 >  0.15 }
cylinder { <8.614, 5.998, -3.512 >,  <8.614, 6.598, -2.227 >  0.15 }
cylinder { <7.384, 5.601, -4.101 >,  <6.153, 5.998, -3.512 >  0.15 }
cylinder { <6.153, 6.598, -2.227 >,  <6.153, 5.998, -3.512 >  0.15 }
cylinder { <6.153, 6.598, -2.227 >,  <4.922, 6.793, -1.544 >  0.15 }
cylinder { <6.153, 6.598, -2.227 >,  <7.384, 6.793, -1.544 >  0.15 }
cylinder { <4.922, 6.793, -1.544 >,  <3.692, 6.598, -2.227 >  0.15 }
cylinder { <4.922, 6.793, -1.544 >,  <4.922, 6.966, -0.136 >  0.15 }
cylinder { <3.692, 6.598, -2.227 >,  <2.461, 6.793, -1.544 >  0.15 }
cylinder { <2.461, 6.966, -0.136 >,  <2.461, 6.793, -1.544 >  0.15 }
cylinder { <2.461, 6.966, -0.136 >,  <1.231, 6.941, 0.573 >  0.15 }
cylinder { <2.461, 6.966, -0.136 >,  <3.692, 6.941, 0.573 >  0.15 }
cylinder { <1.231, 6.941, 0.573 >,  <0.0, 6.966, -0.136 >  0.15 }
cylinder { <1.231, 6.941, 0.573 >,  <1.231, 6.671, 1.966 >  0.15 }
cylinder { <0.0, 6.966, -0.136 >,  <-1.231, 6.941, 0.573 >  0.15 }
cylinder { <-1.231, 6.671, 1.966 >,  <-1.231, 6.941, 0.573 >  0.15 }
cylinder { <-1.231, 6.671, 1.966 >,  <-2.461, 6.428, 2.633 >  0.15 }
cylinder { <-1.231, 6.671, 1.966 >,  <0.0, 6.428, 2.633 >  0.15 }
cylinder { <-2.461, 6.428, 2.633 >,  <-3.692, 6.671, 1.966 >  0.15 }
cylinder { <-3.692, 6.671, 1.966 >,  <-4.922, 6.428, 2.633 >  0.15 }
cylinder { <12.306, 5.601, -4.101 >,  <11.076, 5.998, -3.512 >  0.15 }
cylinder { <12.306, 5.601, -4.101 >,  <13.537, 5.962, -3.441 >  0.15 }
cylinder { <11.076, 6.598, -2.227 >,  <11.076, 5.998, -3.512 >  0.15 }
cylinder { <11.076, 6.598, -2.227 >,  <9.845, 6.793, -1.544 >  0.15 }
cylinder { <11.076, 6.598, -2.227 >,  <12.306, 6.793, -1.544 >  0.15 }
cylinder { <9.845, 6.793, -1.544 >,  <8.614, 6.598, -2.227 >  0.15 }
cylinder { <9.845, 6.793, -1.544 >,  <9.845, 6.966, -0.136 >  0.15 }
cylinder { <8.614, 6.598, -2.227 >,  <7.384, 6.793, -1.544 >  0.15 }
cylinder { <7.384, 6.966, -0.136 >,  <7.384, 6.793, -1.544 >  0.15 }
cylinder { <7.384, 6.966, -0.136 >,  <6.153, 6.941, 0.573 >  0.15 }
cylinder { <7.384, 6.966, -0.136 >,  <8.614, 6.941, 0.573 >  0.15 }
cylinder { <6.153, 6.941, 0.573 >,  <4.922, 6.966, -0.136 >  0.15 }
cylinder { <6.153, 6.941, 0.573 >,  <6.153, 6.671, 1.966 >  0.15 }
cylinder { <4.922, 6.966, -0.136 >,  <3.692, 6.941, 0.573 >  0.15 }
cylinder { <3.692, 6.671, 1.966 >,  <3.692, 6.941, 0.573 >  0.15 }
cylinder { <3.692, 6.671, 1.966 >,  <2.461, 6.428, 2.633 >  0.15 }
cylinder { <3.692, 6.671, 1.966 >,  <4.922, 6.428, 2.633 >  0.15 }
cylinder { <2.461, 6.428, 2.633 >,  <1.231, 6.671, 1.966 >  0.15 }
cylinder { <1.231, 6.671, 1.966 >,  <0.0, 6.428, 2.633 >  0.15 }
cylinder { <12.306, 6.966, -0.136 >,  <12.306, 6.793, -1.544 >  0.15 }
cylinder { <12.306, 6.966, -0.136 >,  <11.076, 6.941, 0.573 >  0.15 }
cylinder { <12.306, 6.966, -0.136 >,  <13.537, 6.87, 0.61 >  0.15 }
cylinder { <12.306, 6.793, -1.544 >,  <13.537, 6.52, -2.245 >  0.15 }
cylinder { <11.076, 6.941, 0.573 >,  <9.845, 6.966, -0.136 >  0.15 }
cylinder { <11.076, 6.941, 0.573 >,  <11.076, 6.671, 1.966 >  0.15 }
cylinder { <9.845, 6.966, -0.136 >,  <8.614, 6.941, 0.573 >  0.15 }
cylinder { <8.614, 6.671, 1.966 >,  <8.614, 6.941, 0.573 >  0.15 }
cylinder { <8.614, 6.671, 1.966 >,  <7.384, 6.428, 2.633 >  0.15 }
cylinder { <8.614, 6.671, 1.966 >,  <9.845, 6.428, 2.633 >  0.15 }
cylinder { <7.384, 6.428, 2.633 >,  <6.153, 6.671, 1.966 >  0.15 }
cylinder { <6.153, 6.671, 1.966 >,  <4.922, 6.428, 2.633 >  0.15 }
cylinder { <12.306, 6.428, 2.633 >,  <11.076, 6.671, 1.966 >  0.15 }
cylinder { <12.306, 6.428, 2.633 >,  <13.537, 6.618, 1.906 >  0.15 }
cylinder { <11.076, 6.671, 1.966 >,  <9.845, 6.428, 2.633 >  0.15 }
cylinder { <19.673, 1.418, -0.17 >,  <19.673, 0.42, -1.24 >  0.15 }
cylinder { <19.673, 1.418, -0.17 >,  <19.673, 0.708, 1.11 >  0.15 }
cylinder { <19.673, 1.418, -0.17 >,  <18.822, 2.544, -0.308 >  0.15 }
cylinder { <19.673, -0.728, 0.831 >,  <19.673, 0.708, 1.11 >  0.15 }
cylinder { <19.673, -0.728, 0.831 >,  <19.673, -0.906, -0.621 >  0.15 }
cylinder { <19.673, -0.728, 0.831 >,  <18.822, -1.558, 1.605 >  0.15 }
cylinder { <19.673, 0.42, -1.24 >,  <19.673, -0.906, -0.621 >  0.15 }
cylinder { <19.673, 0.42, -1.24 >,  <18.822, 0.636, -2.353 >  0.15 }
cylinder { <19.673, 0.708, 1.11 >,  <18.822, 1.188, 2.138 >  0.15 }
cylinder { <19.673, -0.906, -0.621 >,  <18.822, -1.898, -1.171 >  0.15 }
cylinder { <18.822, -1.558, 1.605 >,  <18.335, -1.103, 2.863 >  0.15 }
cylinder { <18.822, -1.558, 1.605 >,  <18.335, -2.781, 1.063 >  0.15 }
cylinder { <18.822, 2.544, -0.308 >,  <18.335, 3.215, 0.849 >  0.15 }
cylinder { <18.822, 2.544, -0.308 >,  <18.335, 2.915, -1.593 >  0.15 }
cylinder { <18.822, -1.898, -1.171 >,  <18.335, -1.761, -2.502 >  0.15 }
cylinder { <18.822, -1.898, -1.171 >,  <18.335, -2.954, -0.35 >  0.15 }
cylinder { <18.822, 0.636, -2.353 >,  <18.335, -0.471, -3.104 >  0.15 }
cylinder { <18.822, 0.636, -2.353 >,  <18.335, 1.944, -2.634 >  0.15 }
cylinder { <18.822, 1.188, 2.138 >,  <18.335, 0.295, 3.134 >  0.15 }
cylinder { <18.822, 1.188, 2.138 >,  <18.335, 2.525, 2.094 >  0.15 }
cylinder { <18.335, -1.103, 2.863 >,  <18.335, 0.295, 3.134 >  0.15 }
cylinder { <18.335, -1.103, 2.863 >,  <17.576, -1.984, 3.682 >  0.15 }
cylinder { <18.335, -1.761, -2.502 >,  <18.335, -0.471, -3.104 >  0.15 }
cylinder { <18.335, -1.761, -2.502 >,  <17.576, -2.814, -3.084 >  0.15 }
cylinder { <18.335, -0.471, -3.104 >,  <17.576, -0.24, -4.284 >  0.15 }
cylinder { <18.335, 0.295, 3.134 >,  <17.576, 0.805, 4.224 >  0.15 }
cylinder { <18.335, 3.215, 0.849 >,  <18.335, 2.525, 2.094 >  0.15 }
cylinder { <18.335, 3.215, 0.849 >,  <17.576, 4.409, 0.701 >  0.15 }
cylinder { <18.335, 2.915, -1.593 >,  <18.335, 1.944, -2.634 >  0.15 }
cylinder { <18.335, 2.915, -1.593 >,  <17.576, 4.109, -1.738 >  0.15 }
cylinder { <18.335, 1.944, -2.634 >,  <17.576, 2.172, -3.815 >  0.15 }
cylinder { <18.335, -2.781, 1.063 >,  <18.335, -2.954, -0.35 >  0.15 }
cylinder { <18.335, -2.781, 1.063 >,  <17.576, -3.659, 1.885 >  0.15 }
cylinder { <18.335, 2.525, 2.094 >,  <17.576, 3.032, 3.185 >  0.15 }
cylinder { <18.335, -2.954, -0.35 >,  <17.576, -4.005, -0.935 >  0.15 }
cylinder { <17.576, -2.814, -3.084 >,  <17.37, -4.013, -2.343 >  0.15 }
cylinder { <17.576, -2.814, -3.084 >,  <16.774, -2.564, -4.23 >  0.15 }
cylinder { <17.576, -1.984, 3.682 >,  <17.37, -3.326, 3.253 >  0.15 }
cylinder { <17.576, -1.984, 3.682 >,  <16.774, -1.464, 4.734 >  0.15 }
cylinder { <17.576, 0.805, 4.224 >,  <17.37, 2.21, 4.329 >  0.15 }
cylinder { <17.576, 0.805, 4.224 >,  <16.774, -0.071, 5.004 >  0.15 }
cylinder { <17.576, -0.24, -4.284 >,  <17.37, 1.098, -4.727 >  0.15 }
cylinder { <17.576, -0.24, -4.284 >,  <16.774, -1.279, -4.829 >  0.15 }
cylinder { <17.576, 4.409, 0.701 >,  <17.37, 4.943, -0.602 >  0.15 }
cylinder { <17.576, 4.409, 0.701 >,  <16.774, 4.88, 1.775 >  0.15 }
cylinder { <17.576, 4.109, -1.738 >,  <17.37, 4.943, -0.602 >  0.15 }
cylinder { <17.576, 4.109, -1.738 >,  <16.774, 4.307, -2.894 >  0.15 }
cylinder { <17.576, 2.172, -3.815 >,  <17.37, 1.098, -4.727 >  0.15 }
cylinder { <17.576, 2.172, -3.815 >,  <16.774, 3.34, -3.932 >  0.15 }
cylinder { <17.576, 3.032, 3.185 >,  <17.37, 2.21, 4.329 >  0.15 }
cylinder { <17.576, 3.032, 3.185 >,  <16.774, 4.193, 3.016 >  0.15 }
cylinder { <17.576, -4.005, -0.935 >,  <17.37, -4.013, -2.343 >  0.15 }
cylinder { <17.576, -4.005, -0.935 >,  <16.774, -4.845, -0.115 >  0.15 }
cylinder { <17.576, -3.659, 1.885 >,  <17.37, -3.326, 3.253 >  0.15 }
cylinder { <17.576, -3.659, 1.885 >,  <16.774, -4.672, 1.293 >  0.15 }
cylinder { <17.37, 4.943, -0.602 >,  <16.72, 6.192, -0.756 >  0.15 }
cylinder { <17.37, -4.013, -2.343 >,  <16.72, -5.113, -2.953 >  0.15 }
cylinder { <17.37, 2.21, 4.329 >,  <16.72, 2.741, 5.47 >  0.15 }
cylinder { <17.37, -3.326, 3.253 >,  <16.72, -4.246, 4.112 >  0.15 }
cylinder { <17.37, 1.098, -4.727 >,  <16.72, 1.338, -5.962 >  0.15 }
cylinder { <16.774, -2.564, -4.23 >,  <16.774, -1.279, -4.829 >  0.15 }
cylinder { <16.774, -2.564, -4.23 >,  <15.867, -3.554, -4.696 >  0.15 }
cylinder { <16.774, -1.279, -4.829 >,  <15.867, -0.999, -5.888 >  0.15 }
cylinder { <16.774, -4.845, -0.115 >,  <16.774, -4.672, 1.293 >  0.15 }
cylinder { <16.774, -4.845, -0.115 >,  <15.867, -5.765, -0.708 >  0.15 }
cylinder { <16.774, -1.464, 4.734 >,  <16.774, -0.071, 5.004 >  0.15 }
cylinder { <16.774, -1.464, 4.734 >,  <15.867, -2.312, 5.425 >  0.15 }
cylinder { <16.774, 3.34, -3.932 >,  <16.774, 4.307, -2.894 >  0.15 }
cylinder { <16.774, 3.34, -3.932 >,  <15.867, 3.477, -5.017 >  0.15 }
cylinder { <16.774, -0.071, 5.004 >,  <15.867, 0.456, 5.963 >  0.15 }
cylinder { <16.774, -4.672, 1.293 >,  <15.867, -5.421, 2.091 >  0.15 }
cylinder { <16.774, 4.193, 3.016 >,  <16.774, 4.88, 1.775 >  0.15 }
cylinder { <16.774, 4.193, 3.016 >,  <15.867, 4.588, 4.036 >  0.15 }
cylinder { <16.774, 4.307, -2.894 >,  <15.867, 5.4, -2.955 >  0.15 }
cylinder { <16.774, 4.88, 1.775 >,  <15.867, 5.955, 1.57 >  0.15 }
cylinder { <16.72, 2.741, 5.47 >,  <15.961, 1.827, 6.322 >  0.15 }
cylinder { <16.72, 2.741, 5.47 >,  <15.961, 3.982, 5.317 >  0.15 }
cylinder { <16.72, 6.192, -0.756 >,  <15.961, 6.72, 0.377 >  0.15 }
cylinder { <16.72, 6.192, -0.756 >,  <15.96, 6.43, -1.982 >  0.15 }
cylinder { <16.72, 1.338, -5.962 >,  <15.96, 2.578, -6.113 >  0.15 }
cylinder { <16.72, 1.338, -5.962 >,  <15.96, 0.245, -6.567 >  0.15 }
cylinder { <16.72, -4.246, 4.112 >,  <15.961, -5.339, 3.505 >  0.15 }
cylinder { <16.72, -4.246, 4.112 >,  <15.96, -3.717, 5.244 >  0.15 }
cylinder { <16.72, -5.113, -2.953 >,  <15.96, -4.874, -4.18 >  0.15 }
cylinder { <16.72, -5.113, -2.953 >,  <15.96, -6.027, -2.101 >  0.15 }
cylinder { <15.961, 1.827, 6.322 >,  <15.867, 0.456, 5.963 >  0.15 }
cylinder { <15.961, 1.827, 6.322 >,  <14.695, 2.491, 6.657 >  0.15 }
cylinder { <15.96, -4.874, -4.18 >,  <15.867, -3.554, -4.696 >  0.15 }
cylinder { <15.96, -4.874, -4.18 >,  <14.695, -5.609, -4.061 >  0.15 }
cylinder { <15.96, 2.578, -6.113 >,  <15.867, 3.477, -5.017 >  0.15 }
cylinder { <15.96, 2.578, -6.113 >,  <14.695, 2.238, -6.775 >  0.15 }
cylinder { <15.961, -5.339, 3.505 >,  <15.867, -5.421, 2.091 >  0.15 }
cylinder { <15.961, -5.339, 3.505 >,  <14.695, -5.453, 4.241 >  0.15 }
cylinder { <15.961, 6.72, 0.377 >,  <15.867, 5.955, 1.57 >  0.15 }
cylinder { <15.961, 6.72, 0.377 >,  <14.695, 7.244, -0.151 >  0.15 }
cylinder { <15.96, -6.027, -2.101 >,  <15.867, -5.765, -0.708 >  0.15 }
cylinder { <15.96, -6.027, -2.101 >,  <14.695, -6.315, -2.787 >  0.15 }
cylinder { <15.961, 3.982, 5.317 >,  <15.867, 4.588, 4.036 >  0.15 }
cylinder { <15.961, 3.982, 5.317 >,  <14.695, 3.812, 6.041 >  0.15 }
cylinder { <15.96, 0.245, -6.567 >,  <15.867, -0.999, -5.888 >  0.15 }
cylinder { <15.96, 0.245, -6.567 >,  <14.695, 0.808, -7.053 >  0.15 }
cylinder { <15.96, -3.717, 5.244 >,  <15.867, -2.312, 5.425 >  0.15 }
cylinder { <15.96, -3.717, 5.244 >,  <14.695, -4.459, 5.306 >  0.15 }
cylinder { <15.96, 6.43, -1.982 >,  <15.867, 5.4, -2.955 >  0.15 }
cylinder { <15.96, 6.43, -1.982 >,  <14.695, 7.067, -1.597 >  0.15 }
cylinder { <15.867, 0.456, 5.963 >,  <14.773, -0.349, 6.42 >  0.15 }
cylinder { <15.867, 5.955, 1.57 >,  <14.773, 6.141, 2.477 >  0.15 }
cylinder { <15.867, -0.999, -5.888 >,  <14.773, -1.891, -6.136 >  0.15 }
cylinder { <15.867, -2.312, 5.425 >,  <14.773, -1.736, 6.151 >  0.15 }
cylinder { <15.867, 5.4, -2.955 >,  <14.773, 5.361, -3.881 >  0.15 }
cylinder { <15.867, -3.554, -4.696 >,  <14.773, -3.172, -5.539 >  0.15 }
cylinder { <15.867, 4.588, 4.036 >,  <14.773, 5.456, 3.713 >  0.15 }
cylinder { <15.867, 3.477, -5.017 >,  <14.773, 4.397, -4.914 >  0.15 }
cylinder { <15.867, -5.421, 2.091 >,  <14.773, -6.105, 1.466 >  0.15 }
cylinder { <15.867, -5.765, -0.708 >,  <14.773, -6.277, 0.063 >  0.15 }
cylinder { <14.773, 6.141, 2.477 >,  <14.773, 5.456, 3.713 >  0.15 }
cylinder { <14.773, 6.141, 2.477 >,  <13.537, 6.618, 1.906 >  0.15 }
cylinder { <14.773, -3.172, -5.539 >,  <14.773, -1.891, -6.136 >  0.15 }
cylinder { <14.773, -3.172, -5.539 >,  <13.537, -3.894, -5.357 >  0.15 }
cylinder { <14.773, -1.891, -6.136 >,  <13.537, -1.287, -6.572 >  0.15 }
cylinder { <14.773, -0.349, 6.42 >,  <14.773, -1.736, 6.151 >  0.15 }
cylinder { <14.773, -0.349, 6.42 >,  <13.537, 0.342, 6.697 >  0.15 }
cylinder { <14.773, -1.736, 6.151 >,  <13.537, -2.481, 6.148 >  0.15 }
cylinder { <14.773, 5.456, 3.713 >,  <13.537, 5.224, 4.421 >  0.15 }
cylinder { <14.773, 4.397, -4.914 >,  <14.773, 5.361, -3.881 >  0.15 }
cylinder { <14.773, 4.397, -4.914 >,  <13.537, 4.0, -5.544 >  0.15 }
cylinder { <14.773, 5.361, -3.881 >,  <13.537, 5.962, -3.441 >  0.15 }
cylinder { <14.773, -6.105, 1.466 >,  <14.773, -6.277, 0.063 >  0.15 }
cylinder { <14.773, -6.105, 1.466 >,  <13.537, -6.155, 2.209 >  0.15 }
cylinder { <14.773, -6.277, 0.063 >,  <13.537, -6.505, -0.645 >  0.15 }
cylinder { <14.695, 2.491, 6.657 >,  <14.695, 3.812, 6.041 >  0.15 }
cylinder { <14.695, 2.491, 6.657 >,  <13.537, 1.652, 6.536 >  0.15 }
cylinder { <14.695, 7.244, -0.151 >,  <14.695, 7.067, -1.597 >  0.15 }
cylinder { <14.695, 7.244, -0.151 >,  <13.537, 6.87, 0.61 >  0.15 }
cylinder { <14.695, 2.238, -6.775 >,  <14.695, 0.808, -7.053 >  0.15 }
cylinder { <14.695, 2.238, -6.775 >,  <13.537, 2.846, -6.184 >  0.15 }
cylinder { <14.695, 0.808, -7.053 >,  <13.537, 0.023, -6.733 >  0.15 }
cylinder { <14.695, -5.609, -4.061 >,  <14.695, -6.315, -2.787 >  0.15 }
cylinder { <14.695, -5.609, -4.061 >,  <13.537, -4.859, -4.456 >  0.15 }
cylinder { <14.695, -5.453, 4.241 >,  <14.695, -4.459, 5.306 >  0.15 }
cylinder { <14.695, -5.453, 4.241 >,  <13.537, -5.597, 3.405 >  0.15 }
cylinder { <14.695, 7.067, -1.597 >,  <13.537, 6.52, -2.245 >  0.15 }
cylinder { <14.695, -6.315, -2.787 >,  <13.537, -6.253, -1.941 >  0.15 }
cylinder { <14.695, -4.459, 5.306 >,  <13.537, -3.636, 5.508 >  0.15 }
cylinder { <14.695, 3.812, 6.041 >,  <13.537, 4.258, 5.321 >  0.15 }
cylinder { <13.537, 2.846, -6.184 >,  <13.537, 4.0, -5.544 >  0.15 }
cylinder { <13.537, 6.52, -2.245 >,  <13.537, 5.962, -3.441 >  0.15 }
cylinder { <13.537, 6.87, 0.61 >,  <13.537, 6.618, 1.906 >  0.15 }
cylinder { <13.537, -3.894, -5.357 >,  <13.537, -4.859, -4.456 >  0.15 }
cylinder { <13.537, -1.287, -6.572 >,  <13.537, 0.023, -6.733 >  0.15 }
cylinder { <13.537, -6.253, -1.941 >,  <13.537, -6.505, -0.645 >  0.15 }
cylinder { <13.537, -3.636, 5.508 >,  <13.537, -2.481, 6.148 >  0.15 }
cylinder { <13.537, -6.155, 2.209 >,  <13.537, -5.597, 3.405 >  0.15 }
cylinder { <13.537, 5.224, 4.421 >,  <13.537, 4.258, 5.321 >  0.15 }
cylinder { <13.537, 0.342, 6.697 >,  <13.537, 1.652, 6.536 >  0.15 }
cylinder { <-19.673, 1.418, -0.17 >,  <-19.673, 0.42, -1.24 >  0.15 }
cylinder { <-19.673, 1.418, -0.17 >,  <-19.673, 0.708, 1.11 >  0.15 }
cylinder { <-19.673, 1.418, -0.17 >,  <-18.822, 2.544, -0.308 >  0.15 }
cylinder { <-19.673, -0.728, 0.831 >,  <-19.673, 0.708, 1.11 >  0.15 }
cylinder { <-19.673, -0.728, 0.831 >,  <-19.673, -0.906, -0.621 >  0.15 }
cylinder { <-19.673, -0.728, 0.831 >,  <-18.822, -1.558, 1.605 >  0.15 }
cylinder { <-19.673, 0.42, -1.24 >,  <-19.673, -0.906, -0.621 >  0.15 }
cylinder { <-19.673, 0.42, -1.24 >,  <-18.822, 0.636, -2.353 >  0.15 }
cylinder { <-19.673, 0.708, 1.11 >,  <-18.822, 1.188, 2.138 >  0.15 }
cylinder { <-19.673, -0.906, -0.621 >,  <-18.822, -1.898, -1.171 >  0.15 }
cylinder { <-18.822, -1.558, 1.605 >,  <-18.335, -1.103, 2.863 >  0.15 }
cylinder { <-18.822, -1.558, 1.605 >,  <-18.335, -2.781, 1.063 >  0.15 }
cylinder { <-18.822, 2.544, -0.308 >,  <-18.335, 3.215, 0.849 >  0.15 }
cylinder { <-18.822, 2.544, -0.308 >,  <-18.335, 2.915, -1.593 >  0.15 }
cylinder { <-18.822, -1.898, -1.171 >,  <-18.335, -1.761, -2.502 >  0.15 }
cylinder { <-18.822, -1.898, -1.171 >,  <-18.335, -2.954, -0.35 >  0.15 }
cylinder { <-18.822, 0.636, -2.353 >,  <-18.335, -0.471, -3.104 >  0.15 }
cylinder { <-18.822, 0.636, -2.353 >,  <-18.335, 1.944, -2.634 >  0.15 }
cylinder { <-18.822, 1.188, 2.138 >,  <-18.335, 0.295, 3.134 >  0.15 }
cylinder { <-18.822, 1.188, 2.138 >,  <-18.335, 2.525, 2.094 >  0.15 }
cylinder { <-18.335, -1.103, 2.863 >,  <-18.335, 0.295, 3.134 >  0.15 }
cylinder { <-18.335, -1.103, 2.863 >,  <-17.576, -1.984, 3.682 >  0.15 }
cylinder { <-18.335, -1.761, -2.502 >,  <-18.335, -0.471, -3.104 >  0.15 }
cylinder { <-18.335, -1.761, -2.502 >,  <-17.576, -2.814, -3.084 >  0.15 }
cylinder { <-18.335, -0.471, -3.104 >,  <-17.576, -0.24, -4.284 >  0.15 }
cylinder { <-18.335, 0.295, 3.134 >,  <-17.576, 0.805, 4.224 >  0.15 }
cylinder { <-18.335, 3.215, 0.849 >,  <-18.335, 2.525, 2.094 >  0.15 }
cylinder { <-18.335, 3.215, 0.849 >,  <-17.576, 4.409, 0.701 >  0.15 }
cylinder { <-18.335, 2.915, -1.593 >,  <-18.335, 1.944, -2.634 >  0.15 }
cylinder { <-18.335, 2.915, -1.593 >,  <-17.576, 4.109, -1.738 >  0.15 }
cylinder { <-18.335, 1.944, -2.634 >,  <-17.576, 2.172, -3.815 >  0.15 }
cylinder { <-18.335, -2.781, 1.063 >,  <-18.335, -2.954, -0.35 >  0.15 }
cylinder { <-18.335, -2.781, 1.063 >,  <-17.576, -3.659, 1.885 >  0.15 }
cylinder { <-18.335, 2.525, 2.094 >,  <-17.576, 3.032, 3.185 >  0.15 }
cylinder { <-18.335, -2.954, -0.35 >,  <-17.576, -4.005, -0.935 >  0.15 }
cylinder { <-17.576, -2.814, -3.084 >,  <-17.37, -4.013, -2.343 >  0.15 }
cylinder { <-17.576, -2.814, -3.084 >,  <-16.774, -2.564, -4.23 >  0.15 }
cylinder { <-17.576, -1.984, 3.682 >,  <-17.37, -3.326, 3.254 >  0.15 }
cylinder { <-17.576, -1.984, 3.682 >,  <-16.774, -1.464, 4.734 >  0.15 }
cylinder { <-17.576, 0.805, 4.224 >,  <-17.37, 2.21, 4.329 >  0.15 }
cylinder { <-17.576, 0.805, 4.224 >,  <-16.774, -0.071, 5.004 >  0.15 }
cylinder { <-17.576, -0.24, -4.284 >,  <-17.37, 1.098, -4.727 >  0.15 }
cylinder { <-17.576, -0.24, -4.284 >,  <-16.774, -1.279, -4.829 >  0.15 }
cylinder { <-17.576, 4.409, 0.701 >,  <-17.37, 4.943, -0.602 >  0.15 }
cylinder { <-17.576, 4.409, 0.701 >,  <-16.774, 4.88, 1.775 >  0.15 }
cylinder { <-17.576, 4.109, -1.738 >,  <-17.37, 4.943, -0.602 >  0.15 }
cylinder { <-17.576, 4.109, -1.738 >,  <-16.774, 4.307, -2.894 >  0.15 }
cylinder { <-17.576, 2.172, -3.815 >,  <-17.37, 1.098, -4.727 >  0.15 }
cylinder { <-17.576, 2.172, -3.815 >,  <-16.774, 3.34, -3.932 >  0.15 }
cylinder { <-17.576, 3.032, 3.185 >,  <-17.37, 2.21, 4.329 >  0.15 }
cylinder { <-17.576, 3.032, 3.185 >,  <-16.774, 4.193, 3.016 >  0.15 }
cylinder { <-17.576, -4.005, -0.935 >,  <-17.37, -4.013, -2.343 >  0.15 }
cylinder { <-17.576, -4.005, -0.935 >,  <-16.774, -4.845, -0.115 >  0.15 }
cylinder { <-17.576, -3.659, 1.885 >,  <-17.37, -3.326, 3.254 >  0.15 }
cylinder { <-17.576, -3.659, 1.885 >,  <-16.774, -4.672, 1.293 >  0.15 }
cylinder { <-17.37, 4.943, -0.602 >,  <-16.72, 6.192, -0.756 >  0.15 }
cylinder { <-17.37, -4.013, -2.343 >,  <-16.72, -5.113, -2.953 >  0.15 }
cylinder { <-17.37, 2.21, 4.329 >,  <-16.72, 2.741, 5.47 >  0.15 }
cylinder { <-17.37, -3.326, 3.254 >,  <-16.72, -4.246, 4.112 >  0.15 }
cylinder { <-17.37, 1.098, -4.727 >,  <-16.72, 1.338, -5.962 >  0.15 }
cylinder { <-16.774, -2.564, -4.23 >,  <-16.774, -1.279, -4.829 >  0.15 }
cylinder { <-16.774, -2.564, -4.23 >,  <-15.867, -3.554, -4.696 >  0.15 }
cylinder { <-16.774, -1.279, -4.829 >,  <-15.867, -0.999, -5.888 >  0.15 }
cylinder { <-16.774, -4.845, -0.115 >,  <-16.774, -4.672, 1.293 >  0.15 }
cylinder { <-16.774, -4.845, -0.115 >,  <-15.867, -5.765, -0.708 >  0.15 }
cylinder { <-16.774, -1.464, 4.734 >,  <-16.774, -0.071, 5.004 >  0.15 }
cylinder { <-16.774, -1.464, 4.734 >,  <-15.867, -2.312, 5.425 >  0.15 }
cylinder { <-16.774, 3.34, -3.932 >,  <-16.774, 4.307, -2.894 >  0.15 }
cylinder { <-16.774, 3.34, -3.932 >,  <-15.867, 3.477, -5.017 >  0.15 }
cylinder { <-16.774, -0.071, 5.004 >,  <-15.867, 0.456, 5.963 >  0.15 }
cylinder { <-16.774, -4.672, 1.293 >,  <-15.867, -5.421, 2.091 >  0.15 }
cylinder { <-16.774, 4.193, 3.016 >,  <-16.774, 4.88, 1.775 >  0.15 }
cylinder { <-16.774, 4.193, 3.016 >,  <-15.867, 4.588, 4.036 >  0.15 }
cylinder { <-16.774, 4.307, -2.894 >,  <-15.867, 5.4, -2.955 >  0.15 }
cylinder { <-16.774, 4.88, 1.775 >,  <-15.867, 5.955, 1.57 >  0.15 }
cylinder { <-16.72, 2.741, 5.47 >,  <-15.961, 1.827, 6.322 >  0.15 }
cylinder { <-16.72, 2.741, 5.47 >,  <-15.96, 3.982, 5.317 >  0.15 }
cylinder { <-16.72, 6.192, -0.756 >,  <-15.961, 6.72, 0.377 >  0.15 }
cylinder { <-16.72, 6.192, -0.756 >,  <-15.96, 6.43, -1.982 >  0.15 }
cylinder { <-16.72, 1.338, -5.962 >,  <-15.961, 2.578, -6.113 >  0.15 }
cylinder { <-16.72, 1.338, -5.962 >,  <-15.961, 0.245, -6.567 >  0.15 }
cylinder { <-16.72, -4.246, 4.112 >,  <-15.961, -5.339, 3.505 >  0.15 }
cylinder { <-16.72, -4.246, 4.112 >,  <-15.96, -3.717, 5.244 >  0.15 }
cylinder { <-16.72, -5.113, -2.953 >,  <-15.961, -4.874, -4.18 >  0.15 }
cylinder { <-16.72, -5.113, -2.953 >,  <-15.961, -6.027, -2.101 >  0.15 }
cylinder { <-15.961, 1.827, 6.322 >,  <-15.867, 0.456, 5.963 >  0.15 }
cylinder { <-15.961, 1.827, 6.322 >,  <-14.695, 2.491, 6.657 >  0.15 }
cylinder { <-15.961, -4.874, -4.18 >,  <-15.867, -3.554, -4.696 >  0.15 }
cylinder { <-15.961, -4.874, -4.18 >,  <-14.695, -5.609, -4.061 >  0.15 }
cylinder { <-15.961, 2.578, -6.113 >,  <-15.867, 3.477, -5.017 >  0.15 }
cylinder { <-15.961, 2.578, -6.113 >,  <-14.695, 2.238, -6.775 >  0.15 }
cylinder { <-15.961, -5.339, 3.505 >,  <-15.867, -5.421, 2.091 >  0.15 }
cylinder { <-15.961, -5.339, 3.505 >,  <-14.695, -5.453, 4.241 >  0.15 }
cylinder { <-15.961, 6.72, 0.377 >,  <-15.867, 5.955, 1.57 >  0.15 }
cylinder { <-15.961, 6.72, 0.377 >,  <-14.695, 7.244, -0.151 >  0.15 }
cylinder { <-15.961, -6.027, -2.101 >,  <-15.867, -5.765, -0.708 >  0.15 }
cylinder { <-15.961, -6.027, -2.101 >,  <-14.695, -6.315, -2.787 >  0.15 }
cylinder { <-15.96, 3.982, 5.317 >,  <-15.867, 4.588, 4.036 >  0.15 }
cylinder { <-15.96, 3.982, 5.317 >,  <-14.695, 3.812, 6.041 >  0.15 }
cylinder { <-15.961, 0.245, -6.567 >,  <-15.867, -0.999, -5.888 >  0.15 }
cylinder { <-15.961, 0.245, -6.567 >,  <-14.695, 0.808, -7.053 >  0.15 }
cylinder { <-15.96, -3.717, 5.244 >,  <-15.867, -2.312, 5.425 >  0.15 }
cylinder { <-15.96, -3.717, 5.244 >,  <-14.695, -4.459, 5.306 >  0.15 }
cylinder { <-15.96, 6.43, -1.982 >,  <-15.867, 5.4, -2.955 >  0.15 }
cylinder { <-15.96, 6.43, -1.982 >,  <-14.695, 7.067, -1.597 >  0.15 }
cylinder { <-15.867, 0.456, 5.963 >,  <-14.773, -0.349, 6.42 >  0.15 }
cylinder { <-15.867, 5.955, 1.57 >,  <-14.773, 6.141, 2.477 >  0.15 }
cylinder { <-15.867, -0.999, -5.888 >,  <-14.773, -1.891, -6.136 >  0.15 }
cylinder { <-15.867, -2.312, 5.425 >,  <-14.773, -1.736, 6.151 >  0.15 }
cylinder { <-15.867, 5.4, -2.955 >,  <-14.773, 5.361, -3.881 >  0.15 }
cylinder { <-15.867, -3.554, -4.696 >,  <-14.773, -3.172, -5.539 >  0.15 }
cylinder { <-15.867, 4.588, 4.036 >,  <-14.773, 5.456, 3.713 >  0.15 }
cylinder { <-15.867, 3.477, -5.017 >,  <-14.773, 4.397, -4.914 >  0.15 }
cylinder { <-15.867, -5.421, 2.091 >,  <-14.773, -6.105, 1.466 >  0.15 }
cylinder { <-15.867, -5.765, -0.708 >,  <-14.773, -6.277, 0.063 >  0.15 }
cylinder { <-14.773, 6.141, 2.477 >,  <-14.773, 5.456, 3.713 >  0.15 }
cylinder { <-14.773, 6.141, 2.477 >,  <-13.537, 6.618, 1.906 >  0.15 }
cylinder { <-14.773, -3.172, -5.539 >,  <-14.773, -1.891, -6.136 >  0.15 }
cylinder { <-14.773, -3.172, -5.539 >,  <-13.537, -3.894, -5.357 >  0.15 }
cylinder { <-14.773, -1.891, -6.136 >,  <-13.537, -1.287, -6.572 >  0.15 }
cylinder { <-14.773, -0.349, 6.42 >,  <-14.773, -1.736, 6.151 >  0.15 }
cylinder { <-14.773, -0.349, 6.42 >,  <-13.537, 0.342, 6.697 >  0.15 }
cylinder { <-14.773, -1.736, 6.151 >,  <-13.537, -2.481, 6.148 >  0.15 }
cylinder { <-14.773, 5.456, 3.713 >,  <-13.537, 5.224, 4.421 >  0.15 }
cylinder { <-14.773, 4.397, -4.914 >,  <-14.773, 5.361, -3.881 >  0.15 }
cylinder { <-14.773, 4.397, -4.914 >,  <-13.537, 4.0, -5.544 >  0.15 }
cylinder { <-14.773, 5.361, -3.881 >,  <-13.537, 5.962, -3.441 >  0.15 }
cylinder { <-14.773, -6.105, 1.466 >,  <-14.773, -6.277, 0.063 >  0.15 }
cylinder { <-14.773, -6.105, 1.466 >,  <-13.537, -6.155, 2.209 >  0.15 }
cylinder { <-14.773, -6.277, 0.063 >,  <-13.537, -6.505, -0.645 >  0.15 }
cylinder { <-14.695, 2.491, 6.657 >,  <-14.695, 3.812, 6.041 >  0.15 }
cylinder { <-14.695, 2.491, 6.657 >,  <-13.537, 1.652, 6.536 >  0.15 }
cylinder { <-14.695, 7.244, -0.151 >,  <-14.695, 7.067, -1.597 >  0.15 }
cylinder { <-14.695, 7.244, -0.151 >,  <-13.537, 6.87, 0.61 >  0.15 }
cylinder { <-14.695, 2.238, -6.775 >,  <-14.695, 0.808, -7.053 >  0.15 }
cylinder { <-14.695, 2.238, -6.775 >,  <-13.537, 2.846, -6.184 >  0.15 }
cylinder { <-14.695, 0.808, -7.053 >,  <-13.537, 0.023, -6.733 >  0.15 }
cylinder { <-14.695, -5.609, -4.061 >,  <-14.695, -6.315, -2.787 >  0.15 }
cylinder { <-14.695, -5.609, -4.061 >,  <-13.537, -4.859, -4.456 >  0.15 }
cylinder { <-14.695, -5.453, 4.241 >,  <-14.695, -4.459, 5.306 >  0.15 }
cylinder { <-14.695, -5.453, 4.241 >,  <-13.537, -5.597, 3.405 >  0.15 }
cylinder { <-14.695, 7.067, -1.597 >,  <-13.537, 6.52, -2.245 >  0.15 }
cylinder { <-14.695, -6.315, -2.787 >,  <-13.537, -6.253, -1.941 >  0.15 }
cylinder { <-14.695, -4.459, 5.306 >,  <-13.537, -3.636, 5.508 >  0.15 }
cylinder { <-14.695, 3.812, 6.041 >,  <-13.537, 4.258, 5.321 >  0.15 }
cylinder { <-13.537, 2.846, -6.184 >,  <-13.537, 4.0, -5.544 >  0.15 }
cylinder { <-13.537, 6.52, -2.245 >,  <-13.537, 5.962, -3.441 >  0.15 }
cylinder { <-13.537, 6.87, 0.61 >,  <-13.537, 6.618, 1.906 >  0.15 }
cylinder { <-13.537, -3.894, -5.357 >,  <-13.537, -4.859, -4.456 >  0.15 }
cylinder { <-13.537, -1.287, -6.572 >,  <-13.537, 0.023, -6.733 >  0.15 }
cylinder { <-13.537, -6.253, -1.941 >,  <-13.537, -6.505, -0.645 >  0.15 }
cylinder { <-13.537, -3.636, 5.508 >,  <-13.537, -2.481, 6.148 >  0.15 }
cylinder { <-13.537, -6.155, 2.209 >,  <-13.537, -5.597, 3.405 >  0.15 }
cylinder { <-13.537, 5.224, 4.421 >,  <-13.537, 4.258, 5.321 >  0.15 }
cylinder { <-13.537, 0.342, 6.697 >,  <-13.537, 1.652, 6.536 >  0.15 }
texture { TXbond pigment { rgb  <1.0,1.0,1.0> }}
}
//[Camera Position]
camera {
//  orthographic   //(un)comment to toggle perspective/orthonormal projection
  location <0,0,-25.0>   //modify this value for zooming & perspective
  look_at <0,0,0>
  angle 98.969   //modify this value for zooming
}

//[Light Sources]
light_source { <0,0,-25.0> rgb <1.0,1.0,1.0 > area_light <-20,0,0>, <0,-20,0>, 3, 3  adaptive 1 }
light_source { <60,100,-10> rgb <0.5,0.5,0.5>}

