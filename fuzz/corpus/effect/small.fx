sampler2D s < string a = "x"; > = sampler_state { Texture = <t>; };
texture t : NORMAL;
